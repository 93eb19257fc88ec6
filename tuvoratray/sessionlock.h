#pragma once

#include <string>

#include <sys/types.h>

// One tray per desktop session: the first tray of a session holds a lock that the
// system releases when the tray ends, however it ends. The session is the user and
// the X display; a tray of another user, or on another display, is not held back.
//
// The lock lives in root's state folder and is taken as root, so that the user of the
// session cannot take it first and keep the tray from starting.
class SessionLock
{
public:
    SessionLock() = default;
    ~SessionLock();
    SessionLock(const SessionLock &) = delete;
    SessionLock &operator=(const SessionLock &) = delete;

    // False only when another tray of the session holds the lock. When the lock cannot
    // be made at all, the tray starts anyway: two trays are better than none.
    bool acquire(uid_t user, const char *display);

    // The lock file of a session, for instance /var/lib/tuvora/tray/1000-:0.lock.
    static std::string pathFor(uid_t user, const char *display);

private:
    int m_fd = -1;
};
