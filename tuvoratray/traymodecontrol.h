#pragma once

// What the network mode and the teacher policies ask of the tray supervisor: the control
// mode its menu shows, and the administration program it runs. preTrayIcon implements
// it; tests implement it with a recorder.
class TrayModeControl
{
public:
    virtual ~TrayModeControl() = default;

    // A school policy is in force: the under-control entry reads "Under Control Mode" -
    // "Network Mode" and carries the mode image; "Policy Configuration", the
    // under-control entry and "Free of Control Mode" (without image) are disabled.
    virtual void showNetworkMode() = 0;
    // A teacher policy is in force: the under-control entry reads "Under Control Mode" -
    // "Teacher Mode" (its image is kept); "Policy Configuration" and "Free of Control
    // Mode" are disabled.
    virtual void showTeacherMode() = 0;
    // The held network or teacher policy is gone: the under-control entry reads "Under
    // Control Mode" - "Local Mode" (image unchanged); the three entries are enabled.
    virtual void showLocalModeAgain() = 0;

    // Restarts a running administration program, so that it shows the new policy list.
    virtual void restartAdminProgram() = 0;

    // The tray's own engine work is under way (start-up, a mode switch, the end): the
    // network mode then leaves the policies alone and tries again a moment later.
    virtual bool isBusy() const { return false; }
};
