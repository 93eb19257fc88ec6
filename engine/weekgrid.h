#pragma once

#include <array>
#include <cstdint>

// One byte per hour of the week: cell d * 24 + h, day 0 = Sunday, hours in local time.
// 1 means the rules are in force in that hour, 0 that the hour is free.
class WeekGrid
{
public:
    static constexpr int Days = 7;
    static constexpr int Hours = 24;
    static constexpr int Cells = Days * Hours;

    WeekGrid() { m_cells.fill(1); }

    static constexpr int cellIndex(int day, int hour) { return day * Hours + hour; }

    uint8_t &operator[](int cell) { return m_cells[size_t(cell)]; }
    uint8_t operator[](int cell) const { return m_cells[size_t(cell)]; }

    bool isRestricted(int cell) const { return m_cells[size_t(cell)] != 0; }
    void fill(uint8_t value) { m_cells.fill(value); }

    bool operator==(const WeekGrid &) const = default;

private:
    std::array<uint8_t, Cells> m_cells;
};
