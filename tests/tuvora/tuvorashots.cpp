#include "filedialog.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "precopypolicybase.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>

// Shows the policy list window and the name dialog in English and in Brazilian
// Portuguese, as the program loads its catalogue, and saves a picture of each. Runs
// inside the sandbox, where it installs the catalogue and writes policies:
//   scripts/sandbox xvfb-run -a build/tests/tuvora/tuvorashots OUTPUT_DIR
namespace {

QString outputDir;

void save(QWidget *widget, const QString &name)
{
    widget->grab().save(outputDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void writePolicy(int number, const char *name, const char *description, bool active, int type)
{
    Policy policy(number);
    policy.name = QString::fromUtf8(name);
    policy.description = QString::fromUtf8(description);
    policy.active = active;
    policy.type = type;
    policy.save();
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    QApplication app(argc, argv);
    outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);
    QDir().mkpath(Paths::path(Paths::LangDir));
    QProcess::execute(QStringLiteral("cp"),
        { QStringLiteral(QM_DIR "/tuvora_pt_BR.qm"), QStringLiteral(QM_DIR "/desktopui_pt_BR.qm"),
            Paths::path(Paths::LangDir) });

    writePolicy(1, "Escola", "Horário de aulas, sem jogos", true, Policy::ComputerDefinedLocal);
    writePolicy(2, "Home work", "Only the school's sites in the afternoon", false, Policy::ServerDefinedLocal);
    writePolicy(3, "Weekend", "Free but no adult sites", false, Policy::Network);

    for (const QString &language : { QStringLiteral("en_US.UTF-8"), QStringLiteral("pt_BR.UTF-8") }) {
        const QString tag = language.left(5);
        writeLanguage(language);
        const auto translations = installTuvoraTranslation();
        for (int machineMode : { 0, 2 }) {
            QProcess::execute(QStringLiteral("sed"),
                { QStringLiteral("-i"), QStringLiteral("s|<Type>.*</Type>|<Type>%1</Type>|").arg(machineMode),
                    Paths::path(Paths::ConfigFile) });
            prePolicySelection window(&app);
            window.show();
            window.lstPolicies->setCurrentItem(window.lstPolicies->topLevelItem(0));
            QTimer::singleShot(300, &app, &QCoreApplication::quit);
            app.exec();
            save(&window, QStringLiteral("policylist_mode%1_%2").arg(machineMode).arg(tag));
        }
        preCopyPolicyBase nameDialog;
        nameDialog.show();
        QTimer::singleShot(300, &app, &QCoreApplication::quit);
        app.exec();
        save(&nameDialog, QStringLiteral("policyname_") + tag);
    }
    return 0;
}
