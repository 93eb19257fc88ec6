#pragma once

#include <QString>

#include <sys/types.h>

// What root writes and later trusts lives in folders that nobody else can change.

// Creates the folder with the mode when it is missing (its parent must exist), and
// says whether it is a folder (not a link) owned by root that nobody else may write.
// A refused folder is named on the diagnostic stream. Needs root.
bool ensureRootFolder(const char *path, mode_t mode);

// True when the folder, given without links, and every folder above it are owned by
// root and writable by nobody else: no other user can rename, replace or add anything
// in it.
bool isRootOnlyFolderChain(const QString &canonicalFolder);
