#include "cronschedule.h"

#include "paths.h"
#include "weekgrid.h"

#include <QList>

namespace {

QString hourList(const QList<int> &hours)
{
    QString text;
    for (int hour : hours) {
        if (!text.isEmpty())
            text += QLatin1Char(',');
        text += QString::number(hour);
    }
    return text;
}

} // namespace

QString scheduleCronText(const WeekGrid &grid, const QString &kindWord)
{
    const bool internet = kindWord.compare(QLatin1String("int"), Qt::CaseInsensitive) == 0;
    const QString kindNumber = internet ? QStringLiteral("1") : QStringLiteral("2");
    const QString enact = QStringLiteral("  %1 -1 ").arg(Paths::path(Paths::ActivatorProgram));
    // Root touches the marker: it lies in root's own folder, where nobody else can leave
    // a link that would make root create or touch another file.
    const QString warning = QStringLiteral("  %1 %2\n")
                                .arg(Paths::path(Paths::Touch),
                                    Paths::path(internet ? Paths::IntWarningMarker : Paths::AppWarningMarker));

    QString text;
    bool previous = grid.isRestricted(WeekGrid::Cells - 1);
    for (int day = 0; day < WeekGrid::Days; ++day) {
        QList<int> starts;
        QList<int> ends;
        QList<int> warnings;
        bool midnightStart = false;
        for (int hour = 0; hour < WeekGrid::Hours; ++hour) {
            const bool current = grid.isRestricted(WeekGrid::cellIndex(day, hour));
            if (current != previous) {
                if (current) {
                    starts.append(hour);
                    if (hour == 0)
                        midnightStart = true;
                    else
                        warnings.append(hour - 1);
                } else {
                    ends.append(hour);
                }
            }
            previous = current;
        }

        const QString dayField = QLatin1String(" * * ") + QString::number(day);
        if (!starts.isEmpty())
            text += QLatin1String("00 ") + hourList(starts) + dayField + enact + QLatin1String("activate ") + kindNumber
                + QLatin1Char('\n');
        if (!ends.isEmpty())
            text += QLatin1String("00 ") + hourList(ends) + dayField + enact + QLatin1String("schedule_deactivation ")
                + kindNumber + QLatin1Char('\n');
        if (midnightStart)
            text += QLatin1String("55 23 * * ") + QString::number(day == 0 ? WeekGrid::Days - 1 : day - 1) + warning;
        if (!warnings.isEmpty())
            text += QLatin1String("55 ") + hourList(warnings) + dayField + warning;
    }
    return text;
}
