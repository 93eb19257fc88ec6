#pragma once

#include "slideclock.h"

// A slide-show beat that moves only when the test says how much time has passed.
class ManualSlideClock : public SlideClock
{
public:
    void start(int milliseconds) override
    {
        m_interval = milliseconds;
        m_sinceBeat = 0;
        m_active = true;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const { return m_interval; }

    void advance(int milliseconds)
    {
        for (m_sinceBeat += milliseconds; m_active && m_sinceBeat >= m_interval; m_sinceBeat -= m_interval)
            beat();
    }

private:
    int m_interval = 0;
    int m_sinceBeat = 0;
    bool m_active = false;
};
