#pragma once

#include "paths.h"

#include <QString>

// The machine-wide settings in Paths::ConfigFile. Every accessor reads the
// file afresh; every setter moves its element to the end of the root and writes the
// whole file back. A setter leaves a missing or unparseable file untouched.
namespace PolicyConfig {
inline QString filePath()
{
    return Paths::path(Paths::ConfigFile);
}
inline QString gatewayTimeoutPath()
{
    return Paths::path(Paths::GatewayTimeoutFile);
}
} // namespace PolicyConfig

QString readServerIP();
bool readLogEnabled();
int readInterval();
int readMaxShots();
int readStatus();
int readNextPolicy();
int readType();
QString readLanguage();
QString readPassword();

void writeServerIP(const QString &value);
void writeLanguage(const QString &value);
void writePassword(const QString &value);
void writeInterval(int value);
void writeMaxShots(int value);
void writeStatus(int value);
void writeNextPolicy(int value);

// Seconds from the "timeout:" line of Paths::GatewayTimeoutFile, or -1.
int readGatewayTimeout();
