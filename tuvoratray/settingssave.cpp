#include "settingssave.h"

#include "logclearing.h"
#include "paths.h"
#include "policyconfig.h"
#include "webreport.h"

PasswordProblem checkPasswordChange(
    const QString &current, const QString &newPassword, const QString &confirmation, const QString &stored)
{
    if (current != stored)
        return PasswordProblem::Invalid;
    if (newPassword != confirmation)
        return PasswordProblem::Mismatch;
    if (!newPassword.isEmpty() && newPassword.trimmed().isEmpty())
        return PasswordProblem::OnlyBlanks;
    return PasswordProblem::None;
}

void saveSettings(const SettingsChange &change)
{
    if (change.newPassword)
        writePassword(*change.newPassword);
    writeServerIP(change.serverAddress);

    const LogSettings &after = change.after;
    // The report is the last look at the web log before logging stops.
    if (change.before.internetLog && !after.internetLog)
        writeWebReport();
    writeLogSettings(after);
    writeFileLogSize(after.fileLogSize);
    writeMaxShots(after.maxShots);
    writeInterval(after.shotInterval);

    if (after.applicationLogSize == 0)
        emptyLogInPlace(Paths::path(Paths::ApplicationsLog));
    if (after.internetLogSize == 0)
        emptyLogInPlace(Paths::path(Paths::SquidAccessLog));
    if (after.fileLogSize == 0)
        emptyLogInPlace(Paths::path(Paths::FilesLog));
    if (after.maxShots == 0)
        removeSnapshots(Paths::path(Paths::SnapshotDir));
}
