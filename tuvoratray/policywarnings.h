#pragma once

#include <QString>
#include <QStringList>

class QMessageBox;

// The warnings five minutes before a block. Root's cron table leaves a marker file then;
// the tray removes it and tells the user, without waiting for the user to answer.

// The warning texts of the markers present, the applications' first; each marker found
// is removed (as root, since root's folder holds them).
QStringList takeDueWarnings(const QString &applicationMarker, const QString &internetMarker);
QStringList takeDueWarnings();

// Shows the text in a box of its own in the user's session and returns at once; the
// box goes away when its button is pressed and never ends the program.
QMessageBox *showPolicyWarning(const QString &text);
