#pragma once

#include <QString>

class QProcess;

// Starts an X server of its own for tests that run the real programs on a display, and
// returns its display name (":N", a free number that the server picks itself), or an
// empty string when it did not come up within ten seconds. The caller ends the process.
QString startXvfb(QProcess &server);
