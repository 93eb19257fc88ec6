#pragma once

#include <QDateTime>

#include <functional>

// The local clock as the activation reads it. Programs use the system clock; tests put
// a fixed time in its place so that the hour of the week is known.
QDateTime currentLocalDateTime();

// Test seam: while set, currentLocalDateTime() returns what the source returns.
using ClockSource = std::function<QDateTime()>;
void setClockSource(ClockSource source);

// The cell of WeekGrid for a local date and time: day of the week (Sunday 0) * 24 + hour.
int weekCellAt(const QDateTime &localTime);
