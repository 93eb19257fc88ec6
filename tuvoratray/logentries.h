#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The rows the log viewer shows, read from the three logs. Fields of the applications
// and files logs are separated by "^"; the internet log holds "HITS:ADDRESS" entries
// separated by "|".

struct ApplicationLogEntry
{
    QString application;
    QString when;
};

enum class FileAction { Viewed, Created, Edited, Deleted };

struct FileLogEntry
{
    QString path;
    FileAction action = FileAction::Viewed;
    QString when;
};

struct WebLogEntry
{
    QString hits;
    QString url;
};

// Every non-empty line is a row: the application and the date and time.
QList<ApplicationLogEntry> parseApplicationsLog(const QByteArray &content);

// A row for each line with one of the four watched events (IN_CLOSE_NOWRITE viewed,
// IN_CREATE created, IN_CLOSE_WRITE edited, IN_DELETE deleted); other events, and the
// lines the clean-up drops, give none.
QList<FileLogEntry> parseFilesLog(const QByteArray &content);

// A row for each non-empty "|"-separated entry: the hits before the first colon, the
// address after it up to the next one.
QList<WebLogEntry> parseInternetLog(const QByteArray &content);

// Reads a log as root; a log that cannot be read is empty.
QByteArray readLogAsRoot(const QString &path);
