#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The logs are read and rewritten line by line, as bytes: a file name that is not
// valid UTF-8 goes through a rewrite unchanged.

// Calls take(line) for each line of the content, without its line feed.
template <typename Take> void forEachLine(const QByteArray &content, Take &&take)
{
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        take(QByteArrayView(content.constData() + start, end - start));
        start = end + 1;
    }
}

// The lines for which keep(line) is true, as they stand: a last line without a line
// feed stays without one.
template <typename Keep> QByteArray keptLines(const QByteArray &content, Keep &&keep)
{
    QByteArray kept;
    kept.reserve(content.size());
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        const qsizetype length = (end < 0 ? content.size() : end) - start;
        if (keep(QByteArrayView(content.constData() + start, length)))
            kept.append(content.constData() + start, next - start);
        start = next;
    }
    return kept;
}

// How a log reads now against the content last read: the same, grown by whole lines
// at its end (as the watcher and the gate append), or otherwise changed.
enum class LogChange { Same, Grown, Replaced };

inline LogChange logChange(const QByteArray &before, const QByteArray &now)
{
    if (now == before)
        return LogChange::Same;
    if (before.endsWith('\n') && now.startsWith(before))
        return LogChange::Grown;
    return LogChange::Replaced;
}
