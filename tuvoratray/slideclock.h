#pragma once

#include <QTimer>

#include <functional>

// The beat of the log viewer's slide show. The window runs on a repeating timer; a
// test puts a clock of its own in its place and moves it on by hand.
class SlideClock
{
public:
    virtual ~SlideClock() = default;

    // Starts (or restarts) beating every `milliseconds`, until stopped.
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void setBeat(std::function<void()> beat) { m_beat = std::move(beat); }

protected:
    void beat()
    {
        if (m_beat)
            m_beat();
    }

private:
    std::function<void()> m_beat;
};

class TimerSlideClock : public SlideClock
{
public:
    TimerSlideClock()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { beat(); });
    }

    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
