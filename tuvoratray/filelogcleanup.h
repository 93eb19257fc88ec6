#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The file watcher's log keeps growing with entries nobody looks at: events on
// folders, attribute changes, openings, and the hidden files that programs touch all
// the time (paths with a component that starts with a dot). The log viewer drops them
// from the log when it reads it.

// True for a line that the clean-up drops: it holds "IN_ISDIR", "IN_ATTRIB", "/." or
// "IN_OPEN" anywhere.
bool isFileLogNoise(QByteArrayView line);

// The content without the noise lines.
QByteArray withoutNoise(const QByteArray &content);

// Drops the noise lines from the log where it is and returns the log's content. The
// watcher appends to the log all the while: the log is rewritten in place under a
// kernel lease, which holds back every other opening of the file until the rewrite is
// done, so that a line the watcher writes meanwhile lands behind the rewritten content
// and is never lost. When no lease can be had (the file is open elsewhere for a while,
// or its file system has no leases), the log is left as it is and its content is
// returned unchanged. A missing log reads as empty. The caller holds a root stretch.
QByteArray cleanFilesLog(const QString &path);
