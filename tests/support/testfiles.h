#pragma once

#include <QByteArray>
#include <QString>

QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &content);
// st_mode & 07777, following links; 0 when the file is missing.
unsigned fileMode(const QString &path);
