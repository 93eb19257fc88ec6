#pragma once

#include <QString>

// What saving the log settings does to the logs themselves. Callers hold a root stretch.

// Empties a log where it is: a process that keeps the log open (squid keeps its access
// log open, the file watcher appends to its log) goes on writing into the same, now
// empty, file. A missing log is created empty. Only a regular file is emptied; a link
// is not followed. False when the log could not be emptied.
bool emptyLogInPlace(const QString &path);

// Removes the snapshots: every entry of the folder whose name does not start with a
// dot, as "rm -f folder/*" does; sub-folders stay.
void removeSnapshots(const QString &directory);

// The file watcher reads its size limit in megabytes from a file of its own.
bool writeFileLogSize(int megabytes);
