// Writes a policy into the store for the end-to-end tests.
//   e2epolicy NUMBER [--black|--white] [--url DOMAIN]... [--allow DOMAIN]...
//             [--word WORD]... [--internet HOURS] [--apps HOURS] [--app DESKTOPFILE=EXEC]...
//             [--urls-from FILE] [--type TYPE] [--active] [--enact]
// --enact puts the saved policy into force (or out of it) the way the desktop programs
// do, through Policy::enact.
// HOURS is "all", "none" or day:first-last hour ranges joined by commas ("1:8-11,2:0-0").

#include "policy.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {

bool fillGrid(WeekGrid &grid, const QString &ranges)
{
    if (ranges == QLatin1String("all")) {
        grid.fill(1);
        return true;
    }
    grid.fill(0);
    if (ranges == QLatin1String("none"))
        return true;
    for (const QString &range : ranges.split(QLatin1Char(','))) {
        const QStringList dayHours = range.split(QLatin1Char(':'));
        const QStringList hours = dayHours.value(1).split(QLatin1Char('-'));
        bool okDay = false, okFirst = false, okLast = false;
        const int day = dayHours.value(0).toInt(&okDay);
        const int first = hours.value(0).toInt(&okFirst);
        const int last = hours.value(1, hours.value(0)).toInt(&okLast);
        if (!okDay || !okFirst || !okLast || day < 0 || day > 6 || first < 0 || last > 23 || first > last)
            return false;
        for (int hour = first; hour <= last; ++hour)
            grid[WeekGrid::cellIndex(day, hour)] = 1;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    bool numberOk = false;
    const int number = args.value(0).toInt(&numberOk);
    if (!numberOk) {
        err << "usage: e2epolicy NUMBER [options]\n";
        return 2;
    }
    bool enact = false;
    Policy policy(number);
    policy.name = QStringLiteral("e2e %1").arg(number);
    policy.description = QStringLiteral("end-to-end test policy");
    policy.internet.listType = 0;
    policy.internetGrid.fill(1);
    policy.applicationGrid.fill(0);

    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const QString value = args.value(i + 1);
        if (arg == QLatin1String("--black")) {
            policy.internet.listType = 0;
        } else if (arg == QLatin1String("--white")) {
            policy.internet.listType = 1;
        } else if (arg == QLatin1String("--enact")) {
            enact = true;
        } else if (arg == QLatin1String("--active")) {
            policy.active = true;
        } else if (arg == QLatin1String("--url") && i + 1 < args.size()) {
            policy.internet.urls << value;
            ++i;
        } else if (arg == QLatin1String("--urls-from") && i + 1 < args.size()) {
            QFile file(value);
            if (!file.open(QIODevice::ReadOnly)) {
                err << "cannot read " << value << '\n';
                return 2;
            }
            const QList<QByteArray> lines = file.readAll().split('\n');
            for (const QByteArray &line : lines) {
                if (!line.trimmed().isEmpty())
                    policy.internet.urls << QString::fromUtf8(line.trimmed());
            }
            ++i;
        } else if (arg == QLatin1String("--type") && i + 1 < args.size()) {
            policy.type = value.toInt();
            ++i;
        } else if (arg == QLatin1String("--allow") && i + 1 < args.size()) {
            policy.internet.urlsWhite << value;
            ++i;
        } else if (arg == QLatin1String("--word") && i + 1 < args.size()) {
            policy.internet.content << value;
            ++i;
        } else if ((arg == QLatin1String("--internet") || arg == QLatin1String("--apps")) && i + 1 < args.size()) {
            WeekGrid &grid = arg == QLatin1String("--internet") ? policy.internetGrid : policy.applicationGrid;
            if (!fillGrid(grid, value)) {
                err << "bad hour ranges: " << value << '\n';
                return 2;
            }
            ++i;
        } else if (arg == QLatin1String("--app") && i + 1 < args.size() && value.contains(QLatin1Char('='))) {
            BlockedApplication application;
            application.desktopFile = value.section(QLatin1Char('='), 0, 0);
            application.exec = value.section(QLatin1Char('='), 1);
            application.name = application.exec.section(QLatin1Char(' '), 0, 0);
            policy.applications.insert(application.desktopFile, application);
            ++i;
        } else {
            err << "unknown option: " << arg << '\n';
            return 2;
        }
    }
    policy.save();
    if (enact)
        policy.enact();
    return 0;
}
