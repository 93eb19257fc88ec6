#pragma once

#include <QString>
#include <QStringList>

// Starts a program detached, without a shell, as the user the caller currently acts
// for: the child gives up every other user id (the desktop programs keep root as real
// or saved id) before it runs the program, so that an outside program such as the web
// browser can never switch itself to root. Returns whether the program was started.
bool startDetachedAsUser(const QString &program, const QStringList &arguments);
