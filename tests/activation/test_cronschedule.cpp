#include "cronschedule.h"
#include "weekgrid.h"

#include <QTest>

namespace {

WeekGrid freeGridWith(std::initializer_list<std::pair<int, std::pair<int, int>>> restrictedSpans)
{
    WeekGrid grid;
    grid.fill(0);
    for (const auto &[day, span] : restrictedSpans) {
        for (int hour = span.first; hour < span.second; ++hour)
            grid[WeekGrid::cellIndex(day, hour)] = 1;
    }
    return grid;
}

QString cronText(const WeekGrid &grid, const char *kind)
{
    return scheduleCronText(grid, QLatin1String(kind));
}

} // namespace

class TestCronSchedule : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples()
    {
        QCOMPARE(cronText(freeGridWith({ { 1, { 8, 12 } }, { 1, { 14, 18 } } }), "App"),
            QStringLiteral("00 8,14 * * 1  /usr/bin/enactpolicy -1 activate 2\n"
                           "00 12,18 * * 1  /usr/bin/enactpolicy -1 schedule_deactivation 2\n"
                           "55 7,13 * * 1  /usr/bin/touch /var/lib/tuvora/policyappwarning\n"));
        QCOMPARE(cronText(freeGridWith({ { 0, { 0, 6 } } }), "Int"),
            QStringLiteral("00 0 * * 0  /usr/bin/enactpolicy -1 activate 1\n"
                           "00 6 * * 0  /usr/bin/enactpolicy -1 schedule_deactivation 1\n"
                           "55 23 * * 6  /usr/bin/touch /var/lib/tuvora/policyintwarning\n"));
    }

    void uniformGridsHaveNoTransitions()
    {
        WeekGrid grid;
        QCOMPARE(cronText(grid, "App"), QString());
        grid.fill(0);
        QCOMPARE(cronText(grid, "Int"), QString());
        // Two different restricted values are still one restriction.
        grid.fill(1);
        grid[40] = 7;
        QCOMPARE(cronText(grid, "App"), QString());
    }

    void restrictionsAcrossMidnightAndTheWeekEnd()
    {
        // Monday 22:00 to Tuesday 2:00, and the last hour of the week alone.
        QCOMPARE(cronText(freeGridWith({ { 1, { 22, 24 } }, { 2, { 0, 2 } }, { 6, { 23, 24 } } }), "App"),
            QStringLiteral("00 0 * * 0  /usr/bin/enactpolicy -1 schedule_deactivation 2\n"
                           "00 22 * * 1  /usr/bin/enactpolicy -1 activate 2\n"
                           "55 21 * * 1  /usr/bin/touch /var/lib/tuvora/policyappwarning\n"
                           "00 2 * * 2  /usr/bin/enactpolicy -1 schedule_deactivation 2\n"
                           "00 23 * * 6  /usr/bin/enactpolicy -1 activate 2\n"
                           "55 22 * * 6  /usr/bin/touch /var/lib/tuvora/policyappwarning\n"));
    }

    void midnightStartIsWarnedTheDayBeforeInLineOrder()
    {
        // Thursday: starts at 0 and 14, ends at 3 and 15.
        QCOMPARE(cronText(freeGridWith({ { 4, { 0, 3 } }, { 4, { 14, 15 } } }), "INT"),
            QStringLiteral("00 0,14 * * 4  /usr/bin/enactpolicy -1 activate 1\n"
                           "00 3,15 * * 4  /usr/bin/enactpolicy -1 schedule_deactivation 1\n"
                           "55 23 * * 3  /usr/bin/touch /var/lib/tuvora/policyintwarning\n"
                           "55 13 * * 4  /usr/bin/touch /var/lib/tuvora/policyintwarning\n"));
    }
};

QTEST_GUILESS_MAIN(TestCronSchedule)
#include "test_cronschedule.moc"
