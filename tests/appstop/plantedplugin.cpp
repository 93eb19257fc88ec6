#include <QObject>

#include <cstdio>
#include <unistd.h>

// A platform plugin planted by an attacker: whoever loads it leaves a mark, with the
// effective user id it ran under.
namespace {
struct Mark
{
    Mark()
    {
        if (FILE *file = std::fopen("/tmp/planted-plugin-loaded", "a")) {
            std::fprintf(file, "euid %d\n", int(geteuid()));
            std::fclose(file);
        }
    }
} mark;
} // namespace

class PlantedPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3" FILE "planted.json")
};

#include "plantedplugin.moc"
