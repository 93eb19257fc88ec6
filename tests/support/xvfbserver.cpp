#include "xvfbserver.h"

#include "testfiles.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

QString startXvfb(QProcess &server)
{
    QTemporaryDir dir;
    const QString displayFile = dir.filePath(QStringLiteral("display"));
    server.start(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"),
            QStringLiteral("exec Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>'%1'").arg(displayFile) });
    if (!server.waitForStarted())
        return QString();
    const QDeadlineTimer deadline(10000);
    while (!readFileBytes(displayFile).endsWith('\n')) {
        if (deadline.hasExpired() || server.state() == QProcess::NotRunning)
            return QString();
        QThread::msleep(20);
    }
    return QLatin1Char(':') + QString::fromLatin1(readFileBytes(displayFile).trimmed());
}
