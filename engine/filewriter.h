#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writes all of the content to an open file descriptor, going on after interruptions.
bool writeAllTo(int fd, const QByteArray &content);

// Replaces a file's whole content without ever leaving it truncated: the new content
// goes to a temporary file beside it (the name, a dot and six letters or digits), which
// is renamed over the old one only when it has been written completely. A replaced file
// keeps its mode and owner; a new file gets newFileMode. On failure the old file is left
// as it was and false is returned.
bool replaceFile(const QString &path, const QByteArray &content, mode_t newFileMode = 0644);

// What an interrupted writer left in a folder: removes the regular files whose whole
// name matches the pattern, owned by the effective user and unchanged for at least
// minimumAge seconds (0: whatever their age, for files only the caller writes).
void removeLeftoverFiles(const QString &folder, const QString &namePattern, int minimumAge);

// The temporaries an interrupted replaceFile of this file left beside it.
void removeLeftoverTemporaries(const QString &path, int minimumAge = 0);
