#pragma once

#include <QString>

class WeekGrid;

// The cron lines for one schedule: at each hour where the grid goes from free to
// restricted cron runs "enactpolicy -1 activate K", where it goes back
// "enactpolicy -1 schedule_deactivation K", and five minutes before a restriction
// begins it touches /var/lib/tuvora/policy<kind>warning. The week is a cycle: Saturday 23:00
// precedes Sunday 0:00.
QString scheduleCronText(const WeekGrid &grid, const QString &kindWord);
