#pragma once

#include <QString>
#include <QStringList>

// The tray's snapshots, policyshot_*.png, as the log viewer pages through them.

// File names, newest first by modification time (the later name first when two were
// written at the same time). A missing folder gives an empty list. The caller holds a
// root stretch where the folder is root's.
QStringList snapshotsNewestFirst(const QString &directory);

// The slide show goes back one position each step, and from the first (the newest
// snapshot) wraps to the last.
int previousSlidePosition(int position, int last);
