#pragma once

// One activation at a time on the machine: cron's enactpolicy, the administration
// program and the tray all activate policies, and two activations at once would mix
// their lists and cron tables. While the object lives the process holds an exclusive
// lock on a file in root's state folder, waiting for any other holder first. Objects
// nested in one thread share the outer one's lock; another thread of the same process
// waits for it like any other process. The lock goes with the process, so a killed
// activation never leaves it taken.
class ActivationLock
{
public:
    ActivationLock();
    ~ActivationLock();
    ActivationLock(const ActivationLock &) = delete;
    ActivationLock &operator=(const ActivationLock &) = delete;

    // False when the lock file could not be opened (the state folder is refused, or
    // the process cannot become root): the caller then changes nothing.
    bool held() const { return m_held; }

private:
    bool m_held = false;
};
