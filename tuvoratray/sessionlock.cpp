#include "sessionlock.h"

#include "paths.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ":0.0" and ":0" are the same session: the screen number after the display's goes.
std::string sessionDisplay(const char *display)
{
    std::string name = display && *display ? display : "none";
    const std::string::size_type colon = name.rfind(':');
    if (colon != std::string::npos) {
        const std::string::size_type dot = name.find('.', colon);
        if (dot != std::string::npos)
            name.erase(dot);
    }
    for (char &c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':'
            || c == '.' || c == '-' || c == '_';
        if (!plain)
            c = '_';
    }
    return name.substr(0, 100);
}

} // namespace

SessionLock::~SessionLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

std::string SessionLock::pathFor(uid_t user, const char *display)
{
    return std::string(Paths::TrayLockDir) + '/' + std::to_string(user) + '-' + sessionDisplay(display) + ".lock";
}

bool SessionLock::acquire(uid_t user, const char *display)
{
    mkdir(Paths::StateDir, 0755);
    mkdir(Paths::TrayLockDir, 0700);
    const std::string path = pathFor(user, display);
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return true;
    if (flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool held = errno == EWOULDBLOCK;
    close(m_fd);
    m_fd = -1;
    return !held;
}
