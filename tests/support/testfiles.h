#pragma once

#include <QByteArray>
#include <QString>

QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &content);
