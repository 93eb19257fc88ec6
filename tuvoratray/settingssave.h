#pragma once

#include "logsettings.h"

#include <QString>

#include <optional>

// What the settings dialog decides and does when it saves, apart from its widgets.

enum class PasswordProblem {
    None,
    // The current password typed is not the stored one.
    Invalid,
    // The new password and its confirmation differ.
    Mismatch,
    // The new password is made of blanks only (an empty one is allowed).
    OnlyBlanks,
};

// Checks a password change against the password stored now.
PasswordProblem checkPasswordChange(
    const QString &current, const QString &newPassword, const QString &confirmation, const QString &stored);

struct SettingsChange
{
    // Set when the password changes (it may change to the empty password).
    std::optional<QString> newPassword;
    QString serverAddress;
    // As the dialog loaded them, and as they are to be saved.
    LogSettings before;
    LogSettings after;
};

// Saves the settings, in this order: the password, the server address; the web report
// while the internet log is still on, when it is being switched off; the Log element;
// the file watcher's size limit; Interval and MaxShots; then every log whose size limit
// is 0 is emptied in place, and with a maximum of 0 snapshots the snapshots go. The
// caller holds a root stretch.
void saveSettings(const SettingsChange &change);
