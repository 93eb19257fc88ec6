#include "snapshottaker.h"

#include "commandrunner.h"
#include "filewriter.h"
#include "paths.h"
#include "policyconfig.h"
#include "privileges.h"
#include "setuidstart.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <X11/Xlib.h>
#include <climits>

namespace {

const QString SnapshotPattern = QStringLiteral("policyshot_*.png");
constexpr int CaptureWaitMs = 30000;

// The part of a snapshot's name between the first "_" and the next ".".
QString numberOf(const QString &fileName)
{
    return fileName.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0);
}

QStringList snapshotNames(const QDir &folder, QDir::SortFlags sort)
{
    return folder.entryList({ SnapshotPattern }, QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive, sort);
}

// A display that gives a picture of the screen: an X server that is not Wayland's
// compatibility server, whose root window shows nothing of the Wayland desktop.
bool displayCanBeCaptured(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
    Display *connection = XOpenDisplay(display.constData());
    if (!connection)
        return false;
    int opcode = 0, event = 0, error = 0;
    const bool wayland = XQueryExtension(connection, "XWAYLAND", &opcode, &event, &error);
    XCloseDisplay(connection);
    return !wayland;
}

bool isPng(const QByteArray &data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

} // namespace

std::optional<QString> planSnapshot(const QString &folder, int maxShots)
{
    const QDir dir(folder);
    const QStringList byTime = snapshotNames(dir, QDir::Time);
    const unsigned count = unsigned(byTime.size());
    const unsigned max = unsigned(maxShots);
    QString number = QStringLiteral("0");
    if (max < count)
        runCommand(fillCommand(QStringLiteral("rm -rf %1/*"), { folder }));
    if (max == 0)
        return std::nullopt;
    if (max == count) {
        number = numberOf(byTime.last());
    } else if (count != 0) {
        const QStringList byName = snapshotNames(dir, QDir::Name);
        number = byName.isEmpty() ? QStringLiteral("1") : QString::number(numberOf(byName.last()).toULongLong() + 1);
    }
    return number.rightJustified(10, QLatin1Char('0'));
}

void captureScreen(QObject *context, std::function<void(const QByteArray &png)> done)
{
    const QByteArray display = qgetenv("DISPLAY");
    const QString import = QStandardPaths::findExecutable(
        QStringLiteral("import"), QString::fromLatin1(SetuidStart::searchPath).split(QLatin1Char(':')));
    if (import.isEmpty() || !displayCanBeCaptured(display)) {
        done({});
        return;
    }
    auto *process = new QProcess(context);
    process->setProgram(import);
    process->setArguments({ QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"),
        QStringLiteral("-display"), QString::fromLocal8Bit(display), QStringLiteral("png:-") });
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto finish = [process, done](const QByteArray &png) {
        process->disconnect();
        process->deleteLater();
        done(png);
    };
    QObject::connect(process, &QProcess::finished, process, [process, finish](int code, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && code == 0 ? process->readAllStandardOutput() : QByteArray());
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({});
    });
    QTimer::singleShot(CaptureWaitMs, process, [process] { process->kill(); });
    process->start();
}

SnapshotTaker::SnapshotTaker(QObject *parent)
    : QObject(parent)
    , m_capture(captureScreen)
{ }

void SnapshotTaker::setCapture(Capture capture)
{
    m_capture = std::move(capture);
}

void SnapshotTaker::getSnapShot(QTimer *snapshotTimer)
{
    if (!readLogEnabled() || readInterval() < 1 || m_capturing)
        return;
    const QString folder = Paths::path(Paths::SnapshotDir);
    const std::optional<QString> number = asRoot([&] { return planSnapshot(folder, readMaxShots()); });
    if (!number)
        return;
    m_capturing = true;
    const QString target = folder + QStringLiteral("/policyshot_") + *number + QStringLiteral(".png");
    m_capture(this, [this, target, snapshotTimer](const QByteArray &png) {
        // Written whole or not at all: a failed capture leaves the oldest snapshot in place.
        const bool written = isPng(png) && asRoot([&] { return replaceFile(target, png, 0600); });
        m_capturing = false;
        if (snapshotTimer) {
            snapshotTimer->stop();
            const int interval = readInterval();
            if (interval >= 1)
                snapshotTimer->start(int(qMin<qint64>(qint64(interval) * 60000, INT_MAX)));
        }
        emit snapshotDone(written ? target : QString());
    });
}
