#pragma once

#include "blockrefusal.h"

#include <QString>

class Policy;
struct BlockedApplication;

// The application back-end. A blocked program's executable P is moved aside to
// P.tuvora (mode 700) and P becomes a symbolic link to the gate script; the KDE
// launcher library of the same name, when present, is locked too. A program whose path
// is itself a link is blocked by moving the link aside; what it points to is left as
// it is. The mode that P had is recorded in root's own folder (blockrecord.h) and is
// what unblocking gives back; the record's permissions carry it too, for the policy
// file, but are never applied. Programs that blockRefusal() refuses are left alone
// with a diagnostic line. All work on the files goes by file descriptors and renames
// that never follow a link, and a file that is not what was recorded is left alone.
//
// Blocks when the policy is not active yet and restrictNow is true, unblocks in every
// other case; both only while the control mode is 1. Raises the effective user id to
// root and puts the previous one back, and holds the activation lock. False when a
// program could not be moved or put back (refused programs are no failure).
bool applyApplicationBlocking(Policy &policy, bool restrictNow);

// Puts back every program of the policy that the suite moved aside, whatever the
// control mode, with the mode recorded when it was moved.
bool unblockApplications(Policy &policy);

// blockRefusal() of the program the application's command line starts, found with which
// as blocking finds it. Empty when the program may be blocked.
QString applicationBlockRefusal(const BlockedApplication &application);

// The four octal digits of a file mode: 0100755 gives "0755", 04755 gives "4755".
QString permissionsToString(unsigned int mode);
