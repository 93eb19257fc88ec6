// Writes a sample policy into the store, lists the store, or sums a policy up.
//   samplepolicy NUMBER NAME     create policy_NUMBER.xml in the store
//   samplepolicy --list          one line per policy file: name, state, title
//   samplepolicy --summary FILE  the policy's rules and hours in a few lines

#include "policy.h"
#include "policystore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The restricted hours of one day, as "08:00-12:00, 14:00-15:00".
QString dayHours(const WeekGrid &grid, int day)
{
    QStringList spans;
    for (int hour = 0; hour < WeekGrid::Hours; ++hour) {
        if (!grid.isRestricted(WeekGrid::cellIndex(day, hour)))
            continue;
        const int start = hour;
        while (hour < WeekGrid::Hours && grid.isRestricted(WeekGrid::cellIndex(day, hour)))
            ++hour;
        spans << QStringLiteral("%1:00-%2:00").arg(start, 2, 10, QLatin1Char('0')).arg(hour, 2, 10, QLatin1Char('0'));
    }
    return spans.join(QStringLiteral(", "));
}

// The week, days with the same hours taken together: "Mon-Fri 08:00-12:00".
QString weekHours(const WeekGrid &grid)
{
    static const char *const names[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
    QStringList parts;
    for (int day = 0; day < WeekGrid::Days; ++day) {
        const QString hours = dayHours(grid, day);
        int last = day;
        while (last + 1 < WeekGrid::Days && dayHours(grid, last + 1) == hours)
            ++last;
        if (!hours.isEmpty()) {
            const QString days = last == day
                ? QString::fromLatin1(names[day])
                : QStringLiteral("%1-%2").arg(QLatin1String(names[day]), QLatin1String(names[last]));
            parts << days + QLatin1Char(' ') + hours;
        }
        day = last;
    }
    return parts.isEmpty() ? QStringLiteral("never") : parts.join(QStringLiteral("; "));
}

void summarise(QTextStream &out, const QString &path)
{
    const Policy policy(path);
    const QFileInfo file(path);
    out << file.fileName() << ": \"" << policy.name << "\", " << (policy.active ? "active" : "inactive") << '\n';
    out << "  " << policy.description << '\n';
    if (policy.internet.isWhiteList())
        out << "  web: only " << policy.internet.urlsWhite.join(QStringLiteral(", ")) << '\n';
    else
        out << "  web: blocked " << policy.internet.urls.join(QStringLiteral(", ")) << '\n';
    out << "  banned words: " << policy.internet.content.join(QStringLiteral(", ")) << '\n';
    QStringList programs;
    for (const BlockedApplication &application : policy.applications)
        programs << QStringLiteral("%1 (%2)").arg(application.name, application.exec.section(QLatin1Char(' '), 0, 0));
    out << "  programs blocked: " << programs.join(QStringLiteral(", ")) << '\n';
    out << "  web rules in force: " << weekHours(policy.internetGrid) << '\n';
    out << "  program rules in force: " << weekHours(policy.applicationGrid) << '\n';
    out << "  (" << file.size() << " bytes of XML)\n";
}

} // namespace

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
    if (args.value(0) == QLatin1String("--summary") && args.size() == 2) {
        summarise(out, args.at(1));
        return 0;
    }
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: samplepolicy NUMBER NAME | --list | --summary FILE\n";
        return 2;
    }

    Policy policy(args.at(0).toInt());
    policy.name = args.at(1);
    policy.description = QStringLiteral("Weekday mornings: no games, no social networks.");
    policy.internet.listType = 0;
    policy.internet.ageRange = 2;
    policy.internet.urls = { QStringLiteral("games.example"), QStringLiteral("social.example") };
    policy.internet.content = { QStringLiteral("poker"), QStringLiteral("apostas") };
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
