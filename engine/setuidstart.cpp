#include "setuidstart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

extern char **environ;

namespace SetuidStart {

bool isAllowedVariable(const char *name)
{
    // The session bus address lets the tray show its icon through the panel's status
    // notifier; the tray checks the address itself before anything connects to it.
    static const char *const exact[]
        = { "DISPLAY", "XAUTHORITY", "HOME", "LANG", "LANGUAGE", "DBUS_SESSION_BUS_ADDRESS" };
    for (const char *allowed : exact) {
        if (std::strcmp(name, allowed) == 0)
            return true;
    }
    // LC_ALL, LC_CTYPE, LC_MESSAGES, ...: letters and underscores only.
    if (std::strncmp(name, "LC_", 3) != 0 || name[3] == '\0')
        return false;
    for (const char *c = name + 3; *c; ++c) {
        if (!((*c >= 'A' && *c <= 'Z') || *c == '_'))
            return false;
    }
    return true;
}

} // namespace SetuidStart

namespace {

uid_t startUid = getuid();
gid_t startGid = getgid();

} // namespace

void startSetuidProgram()
{
    startUid = getuid();
    startGid = getgid();

    std::vector<std::pair<std::string, std::string>> kept;
    for (char **entry = environ; entry && *entry; ++entry) {
        const char *equals = std::strchr(*entry, '=');
        if (!equals)
            continue;
        const std::string name(*entry, size_t(equals - *entry));
        if (SetuidStart::isAllowedVariable(name.c_str()))
            kept.emplace_back(name, equals + 1);
    }
    clearenv();
    for (const auto &[name, value] : kept)
        setenv(name.c_str(), value.c_str(), 0);
    setenv("PATH", SetuidStart::searchPath, 1);
    umask(022);
}

ToolkitArguments::ToolkitArguments(const char *programName)
    : m_name(programName)
{
    if (geteuid() != startUid && !runAsCaller()) {
        std::fprintf(stderr, "%s: cannot leave root before the desktop toolkit starts\n", programName);
        std::_Exit(1);
    }
    m_argv[0] = m_name.data();
    m_argv[1] = nullptr;
}

uid_t callerUid()
{
    return startUid;
}

gid_t callerGid()
{
    return startGid;
}

bool runAsCaller()
{
    return seteuid(startUid) == 0 && geteuid() == startUid;
}

bool dropRootForGood()
{
    if (setresgid(startGid, startGid, startGid) != 0 || setresuid(startUid, startUid, startUid) != 0)
        return false;
    uid_t ruid = 0, euid = 0, suid = 0;
    gid_t rgid = 0, egid = 0, sgid = 0;
    if (getresuid(&ruid, &euid, &suid) != 0 || getresgid(&rgid, &egid, &sgid) != 0)
        return false;
    if (ruid != startUid || euid != startUid || suid != startUid || rgid != startGid || egid != startGid
        || sgid != startGid)
        return false;
    // A caller other than root must not be able to come back.
    return (startUid == 0 || seteuid(0) != 0) && (startGid == 0 || setegid(0) != 0);
}
