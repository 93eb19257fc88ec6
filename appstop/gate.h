#pragma once

#include <QString>

// The gate that a blocked program's launch ends in: it names the program and says
// that it can only be started in Free of Control mode.

// The full path of the blocked program as "which" resolves its invoked name, or the
// name unchanged when "which" finds nothing.
QString blockedProgramPath(const QString &invokedName);

// The three lines of the message: the warning, the path, the way out.
QString gateMessage(const QString &programPath);

// Without a display there is nobody to show a box to: the message goes to the standard
// error stream of whoever started the program, and the gate ends as usual. Needs the
// application object (a core one does).
int runGateWithoutDisplay(const QString &invokedName, const QString &language);

// Loads the translation, disables every context menu, shows the message and returns
// the exit status (always 0). Needs the application object.
int runGate(const QString &invokedName, const QString &language);
