#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The steps of the administration program's start and end that main() runs in order,
// around its switches of the user id.

// The program's one option, "lang <language code>", is accepted and listed by --help;
// its value is never read. Options of the toolkit are not passed on to it. Runs before
// the application object exists, so the help is in English.
void readTuvoraCommandLine(const QStringList &arguments);

// The catalogue to load: the configured language, else LANG (which then becomes the
// configured one), narrowed to an installed catalogue: tuvora_pt_BR.qm, else
// tuvora_pt.qm, else tuvora_en_US.qm.
QString tuvoraCatalogueFile();

// Loads the program's catalogue and installs it; one that cannot be loaded leaves the
// built-in English texts.
void installTuvoraTranslation(QTranslator &translator);

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
