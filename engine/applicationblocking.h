#pragma once

#include <QString>

class Policy;

// The application back-end. A blocked program's executable P is moved aside to
// P.tuvora (mode 700) and P becomes a symbolic link to the gate script; the KDE
// launcher library of the same name, when present, is locked too. P.tuvora is the only
// on-disk record of a block; the mode to restore is kept in the record's permissions.
//
// Blocks when the policy is not active yet and restrictNow is true, unblocks in every
// other case; both only while the control mode is 1. Raises the effective user id to
// root and puts the previous one back.
void applyApplicationBlocking(Policy &policy, bool restrictNow);

// Restores every blocked program of the policy, whatever the control mode. A record
// whose saved mode is missing or is not an octal mode gets 0755 back, so that the
// program is usable again rather than left to root alone.
void unblockApplications(Policy &policy);

// The four octal digits of a file mode: 0100755 gives "0755", 04755 gives "4755".
QString permissionsToString(unsigned int mode);

namespace ApplicationBlocking {
inline constexpr char GateScript[] = "/usr/bin/blocking.sh";
inline constexpr char LauncherLibraryDirectory[] = "/opt/kde3/lib";
inline constexpr char RestoredModeWhenUnknown[] = "0755";
} // namespace ApplicationBlocking
