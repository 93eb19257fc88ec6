#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// The steps of the administration program's start and end that main() runs in order,
// around its switches of the user id.

// The program's one option, "lang <language code>", is accepted and listed by --help;
// its value is never read. Options of the toolkit are not passed on to it. Runs before
// the application object exists, so the help is in English.
void readTuvoraCommandLine(const QStringList &arguments);

// The catalogue chosen for a language: tuvora_pt_BR.qm for pt_BR.UTF-8, else
// tuvora_pt.qm, else tuvora_en_US.qm.
QString tuvoraCatalogueFile(const QString &language);

// Installs the program's catalogue and the shared dialogs' one for the program's
// language; both stay while the returned object lives. A catalogue that cannot be
// loaded leaves the built-in English texts.
std::unique_ptr<QObject> installTuvoraTranslation();

// $HOME/.lectora, made as the invoking user when it is missing.
void makeMarkerDirectory();

// The administrator password gate: true when it is passed, false when cancelled.
bool passAdministratorGate();

// Refreshes /etc/tuvora/menu.xml with "launcherlist -d /etc/tuvora" and waits for it to
// end; one that has not ended after the time-out is stopped. Either failure only
// prints "Failed to update applications list" on the debug output.
void exportApplicationMenu(int timeoutMs = 30000);

// Deletes a stale /etc/tuvora/lockTuvora.
void removeStaleLockFile();
