#include "setuidsession.h"

#include "testfiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

bool writeExecutable(const QString &path, const QByteArray &content)
{
    return writeFileBytes(path, content) && ::chmod(QFile::encodeName(path).constData(), 0755) == 0;
}

bool installSetuidCopy(const QString &built, const QString &installed)
{
    const QByteArray path = QFile::encodeName(installed);
    QDir().mkpath(QFileInfo(installed).path());
    QFile::remove(installed);
    return QFile::copy(built, installed) && ::chown(path.constData(), 0, 0) == 0
        && ::chmod(path.constData(), 04755) == 0;
}

QString startPrivateXServer(QProcess &server, const QString &screenSize)
{
    // Xvfb picks a free display number and writes it once it accepts clients.
    const QString displayFile = QStringLiteral("/tmp/xvfb-display");
    QFile::remove(displayFile);
    server.start(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"),
            QStringLiteral("exec Xvfb -displayfd 3 -screen 0 %1x24 -nolisten tcp 3>%2").arg(screenSize, displayFile) });
    if (!server.waitForStarted())
        return {};
    const QDeadlineTimer deadline(10000);
    while (!readFileBytes(displayFile).endsWith('\n') && !deadline.hasExpired())
        QThread::msleep(20);
    const QByteArray number = readFileBytes(displayFile).trimmed();
    return number.isEmpty() ? QString() : QLatin1Char(':') + QString::fromLatin1(number);
}

namespace Planted {

bool plant(const QString &pluginFile)
{
    const QString plugin = QStringLiteral("/tmp/planted/platforms/libplanted.so");
    QDir().mkpath(QStringLiteral("/tmp/planted/platforms"));
    QDir().mkpath(QStringLiteral("/tmp/planted-bin"));
    QFile::remove(plugin);
    return QFile::copy(pluginFile, plugin)
        && writeExecutable(QStringLiteral("/tmp/planted-bin/which"),
            QStringLiteral("#!/bin/sh\ntouch %1\necho /tmp/planted-bin/$1\n").arg(WhichMark).toUtf8())
        && writeExecutable(
            QStringLiteral("/tmp/planted-bin/shrc"), QStringLiteral("touch %1\n").arg(WhichMark).toUtf8());
}

QProcessEnvironment environment(const QString &display, const QString &language)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    env.insert(QStringLiteral("LANG"), language);
    env.insert(QStringLiteral("PATH"), QStringLiteral("/tmp/planted-bin:/usr/bin:/bin"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral("/tmp/planted"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM_PLUGIN_PATH"), QStringLiteral("/tmp/planted/platforms"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("planted"));
    env.insert(QStringLiteral("TUVORA_COMMAND_LOG"), CommandLogTarget);
    env.insert(QStringLiteral("ENV"), QStringLiteral("/tmp/planted-bin/shrc"));
    return env;
}

void clearMarks()
{
    QFile::remove(PluginMark);
    QFile::remove(WhichMark);
    QFile::remove(CommandLogTarget);
}

bool anyMarkLeft()
{
    return QFile::exists(PluginMark) || QFile::exists(WhichMark) || QFile::exists(CommandLogTarget);
}

} // namespace Planted
