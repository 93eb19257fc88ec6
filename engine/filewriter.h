#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writes all of the content to an open file descriptor, going on after interruptions.
bool writeAllTo(int fd, const QByteArray &content);

// Replaces a file's whole content without ever leaving it truncated: the new content
// goes to a temporary file beside it, which is renamed over the old one only when it
// has been written completely. A replaced file keeps its mode and owner; a new file
// gets newFileMode. On failure the old file is left as it was and false is returned.
bool replaceFile(const QString &path, const QByteArray &content, mode_t newFileMode = 0644);
