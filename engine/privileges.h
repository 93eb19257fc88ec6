#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <utility>

// The effective user id is raised to root only around privileged work. A stretch
// remembers the id in force when it begins and puts it back when it ends, so
// stretches nest: the inner one restores 0, the outer one the caller's id. A stretch
// changes the effective user of the calling thread only.
class RootStretch
{
public:
    RootStretch();
    ~RootStretch();
    RootStretch(const RootStretch &) = delete;
    RootStretch &operator=(const RootStretch &) = delete;

private:
    uid_t m_savedEuid;
};

template <typename Work> decltype(auto) asRoot(Work &&work)
{
    RootStretch stretch;
    return std::forward<Work>(work)();
}

// A file's whole content read as root; empty when it cannot be read.
QByteArray readFileAsRoot(const QString &path);

// Deletes a file as root; whether it worked is not reported.
void removeFileAsRoot(const QString &path);

// The four privilege tools that are never blocked, so the administrator can always
// gain root rights. Paths are compared without links, so /bin/gksudo is /usr/bin/gksudo
// where /bin leads to /usr/bin.
bool isPrivilegeTool(const QString &path);
