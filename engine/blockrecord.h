#pragma once

#include <QString>

#include <optional>

// What the suite knows of a program it moved aside, kept in root's own folder
// (/var/lib/tuvora/blocked, one file per program) from the moment it is moved until it
// is put back. Unblocking acts only on what such a record describes, and gives back the
// mode recorded here, never one that arrives in a policy file. tuvora-system reads the
// same records when the suite is removed. Need root.
struct BlockRecord
{
    QString path; // the program's path, its folder given without links
    unsigned mode = 0; // the permission bits it had (07777), set-user-id bits included
    bool link = false; // the path was a symbolic link, moved aside as it was
    quint64 device = 0; // what was moved aside: the file or link itself
    quint64 inode = 0;
};

bool saveBlockRecord(const BlockRecord &record);
std::optional<BlockRecord> loadBlockRecord(const QString &path);
void removeBlockRecord(const QString &path);
