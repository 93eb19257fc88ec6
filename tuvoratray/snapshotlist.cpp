#include "snapshotlist.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QStringList snapshotsNewestFirst(const QString &directory)
{
    QFileInfoList files = QDir(directory).entryInfoList({ QStringLiteral("policyshot_*.png") }, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime timeA = a.lastModified();
        const QDateTime timeB = b.lastModified();
        return timeA != timeB ? timeA > timeB : a.fileName() > b.fileName();
    });
    QStringList names;
    names.reserve(files.size());
    for (const QFileInfo &file : files)
        names.append(file.fileName());
    return names;
}

int previousSlidePosition(int position, int last)
{
    return position > 0 ? position - 1 : last;
}
