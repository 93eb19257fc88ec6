#pragma once

#include <QByteArray>
#include <QString>

// The network mode keeps what it downloads from the policy server, and the version
// stamps it compares, in a folder that only root can write. Nothing there is ever
// taken from a place a user could have written to. Every function works as root.
namespace NetworkDir {

// Creates the folder (mode 0700, owned by root) when it is missing, and checks that
// what is there is such a folder: not a link, root's own, written by nobody else.
// False, with a diagnostic line, when it is not.
bool ensure();

// Replaces the file's content (root-only mode 0600); false when the folder is not safe
// or the write failed.
bool writeFile(const char *place, const QByteArray &content);
// The file's content; empty when it is missing or the folder is not safe.
QByteArray readFile(const char *place);
void removeFile(const char *place);

} // namespace NetworkDir
