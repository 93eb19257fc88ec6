#include "settingssave.h"

#include "logclearing.h"
#include "paths.h"
#include "policyconfig.h"
#include "webreport.h"
#include "xmldocument.h"

namespace {

// The configuration holds the administrator password: a file created anew is for root only.
constexpr mode_t ConfigFileMode = 0600;

void saveLogElement(const LogSettings &settings)
{
    const QString path = Paths::path(Paths::ConfigFile);
    pugi::xml_document document = loadXmlDocument(path);
    pugi::xml_node root = document.document_element();
    // Without a root there is nothing to change, and writing back would leave an empty document.
    if (!root)
        return;
    replaceLogElement(root, settings);
    saveXmlDocument(path, document, ConfigFileMode);
}

} // namespace

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
    saveLogElement(after);
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
