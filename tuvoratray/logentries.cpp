#include "logentries.h"

#include "filelogcleanup.h"
#include "loglines.h"
#include "privileges.h"

#include <QFile>

#include <optional>

namespace {

// Field `index` of a line split at `separator`; empty when the line has fewer.
QByteArrayView field(QByteArrayView line, char separator, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype at = line.indexOf(separator, start);
        if (at < 0)
            return {};
        start = at + 1;
    }
    const qsizetype end = line.indexOf(separator, start);
    return line.sliced(start, (end < 0 ? line.size() : end) - start);
}

QString text(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

std::optional<FileAction> actionOf(QByteArrayView event)
{
    if (event == "IN_CLOSE_NOWRITE")
        return FileAction::Viewed;
    if (event == "IN_CREATE")
        return FileAction::Created;
    if (event == "IN_CLOSE_WRITE")
        return FileAction::Edited;
    if (event == "IN_DELETE")
        return FileAction::Deleted;
    return std::nullopt;
}

} // namespace

QList<ApplicationLogEntry> parseApplicationsLog(const QByteArray &content)
{
    QList<ApplicationLogEntry> entries;
    forEachLine(content, [&](QByteArrayView line) {
        if (!line.isEmpty())
            entries.append({ text(field(line, '^', 0)), text(field(line, '^', 1)) });
    });
    return entries;
}

QList<FileLogEntry> parseFilesLog(const QByteArray &content)
{
    QList<FileLogEntry> entries;
    forEachLine(content, [&](QByteArrayView line) {
        if (isFileLogNoise(line))
            return;
        if (const auto action = actionOf(field(line, '^', 0)))
            entries.append({ text(field(line, '^', 1)), *action, text(field(line, '^', 2)) });
    });
    return entries;
}

QList<WebLogEntry> parseInternetLog(const QByteArray &content)
{
    QList<WebLogEntry> entries;
    forEachLine(content, [&](QByteArrayView line) {
        qsizetype start = 0;
        while (start <= line.size()) {
            qsizetype end = line.indexOf('|', start);
            if (end < 0)
                end = line.size();
            const QByteArrayView piece = line.sliced(start, end - start);
            if (!piece.isEmpty())
                entries.append({ text(field(piece, ':', 0)), text(field(piece, ':', 1)) });
            start = end + 1;
        }
    });
    return entries;
}

QByteArray readLogAsRoot(const QString &path)
{
    return asRoot([&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    });
}
