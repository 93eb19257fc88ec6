// Writes a sample policy into the store, or lists the store.
//   samplepolicy NUMBER NAME     create /etc/tuvora/lists/policy_NUMBER.xml
//   samplepolicy --list          one line per policy file: name, state, title

#include "policy.h"
#include "policystore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);

    if (args.value(0) == QLatin1String("--list")) {
        for (const QString &fileName : policyFileNames()) {
            const Policy policy(PolicyStore::pathForName(fileName));
            out << fileName << '\t' << (policy.active ? "Active" : "Inactive") << '\t' << policy.name << '\n';
        }
        return 0;
    }
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: samplepolicy NUMBER NAME | --list\n";
        return 2;
    }

    Policy policy(args.at(0).toInt());
    policy.name = args.at(1);
    policy.description = QStringLiteral("Weekday mornings: no games, no social networks.");
    policy.internet.listType = 0;
    policy.internet.ageRange = 2;
    policy.internet.urls = {QStringLiteral("games.example"), QStringLiteral("social.example")};
    policy.internet.content = {QStringLiteral("poker"), QStringLiteral("apostas")};
    policy.applicationGrid.fill(0);
    policy.internetGrid.fill(0);
    for (int day = 1; day <= 5; ++day) {
        for (int hour = 8; hour < 12; ++hour) {
            policy.applicationGrid[WeekGrid::cellIndex(day, hour)] = 1;
            policy.internetGrid[WeekGrid::cellIndex(day, hour)] = 1;
        }
    }
    BlockedApplication game;
    game.name = QStringLiteral("Mines");
    game.description = QStringLiteral("A puzzle game");
    game.icon = QStringLiteral("gnome-mines");
    game.exec = QStringLiteral("gnome-mines %u");
    game.desktopFile = QStringLiteral("/usr/share/applications/org.gnome.Mines.desktop");
    policy.applications.insert(game.desktopFile, game);
    policy.save();
    out << "saved " << policy.filePath << '\n';
    return 0;
}
