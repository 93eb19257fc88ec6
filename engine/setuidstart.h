#pragma once

#include "paths.h"

#include <string>

#include <sys/types.h>

// A set-user-id root program of the suite can be started by a child with any
// environment and any arguments. Before anything else, and before any toolkit call,
// main() calls startSetuidProgram(): it keeps only the variables that a desktop
// program needs to reach the session (display, X authority, session bus, home,
// language and locale), drops everything else (toolkit plugin paths, platform and style
// overrides, the engine's command log, loader and shell variables), sets a fixed
// system search path and a sane umask. Toolkit options on the command line
// (-platformpluginpath, -plugin, -style, ...) are just as dangerous, so the
// programs give the toolkit only the program name.
namespace SetuidStart {

// The search path every program of the suite runs its outside commands with.
inline constexpr const char *searchPath = Paths::SearchPath;

// True for the environment variables that survive the start.
bool isAllowedVariable(const char *name);

} // namespace SetuidStart

// Also remembers the ids of whoever started the program.
void startSetuidProgram();

// The real user and group ids at the start, before any switch.
uid_t callerUid();
gid_t callerGid();

// What runs as root is the engine's short privileged steps, never the toolkit: the
// application object is only ever created after one of the two calls below.
//
// For programs that keep a way back to root (tuvora, tuvoratray): the effective user
// becomes the caller again; root stays available as a saved id, so that a RootStretch
// can come back to it around each privileged step. False when the switch failed.
bool runAsCaller();

// For programs that need root no more once their first privileged step is done
// (appstop after its configuration step): every root id is dropped, real, effective and
// saved, user and group; the supplementary groups are the caller's own, which the
// program inherited. There is no way back. False when a switch failed or root could
// still be regained; the program must then end rather than go on with root.
bool dropRootForGood();

// The command line the toolkit is given: the program's name alone. Lives as long as
// the application object that is built from it. Made just before the application
// object, it also keeps the toolkit from ever starting as root for another caller: an
// effective user still root at that point is lowered to the caller (runAsCaller), and
// the program ends if that fails.
class ToolkitArguments
{
public:
    explicit ToolkitArguments(const char *programName);
    ToolkitArguments(const ToolkitArguments &) = delete;
    ToolkitArguments &operator=(const ToolkitArguments &) = delete;

    int &argc() { return m_argc; }
    char **argv() { return m_argv; }

private:
    std::string m_name;
    int m_argc = 1;
    char *m_argv[2] = {};
};
