#pragma once

#include "paths.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

class QProcess;

// For the tests that run a set-user-id program of the suite for real, as another user
// on a private X server. Inside the sandbox only.

// Copies a built program to a place every user can reach, owned by root with mode 4755.
bool installSetuidCopy(const QString &built, const QString &installed);
// Starts Xvfb with one screen of the given size ("640x480") and returns its display
// (":N"), empty when it did not come up.
QString startPrivateXServer(QProcess &server, const QString &screenSize);

// What a hostile child of the desktop session plants for a set-user-id program of the
// suite: a toolkit platform plugin, a `which` and a shell start-up file of its own, each
// leaving a mark when it runs, and the environment that points at them.
namespace Planted {

inline const QString PluginMark = QStringLiteral("/tmp/planted-plugin-loaded");
inline const QString WhichMark = QStringLiteral("/tmp/planted-which-ran");
// Where the engine's command log would go if the variable reached root.
inline const QString CommandLogTarget = Paths::path(Paths::ConfigDir) + QLatin1String("/pwned");

// Puts the plugin (a built plugin file), the which and the start-up file in place.
bool plant(const QString &pluginFile);
// The session's display, home and language, plus the plant.
QProcessEnvironment environment(const QString &display, const QString &language);
void clearMarks();
bool anyMarkLeft();

} // namespace Planted

// A small executable file (mode 0755).
bool writeExecutable(const QString &path, const QByteArray &content);
