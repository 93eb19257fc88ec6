#include "clock.h"

#include "weekgrid.h"

namespace {

ClockSource &source()
{
    static ClockSource instance;
    return instance;
}

} // namespace

QDateTime currentLocalDateTime()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

void setClockSource(ClockSource newSource)
{
    source() = std::move(newSource);
}

int weekCellAt(const QDateTime &localTime)
{
    // Qt counts Monday 1 to Sunday 7; the grid counts Sunday 0 to Saturday 6.
    const int day = localTime.date().dayOfWeek() % WeekGrid::Days;
    return WeekGrid::cellIndex(day, localTime.time().hour());
}
