#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTimer;

// The periodic screen snapshots of the tray (getSnapShot). They go to the snapshot folder
// as policyshot_NNNNNNNNNN.png, at most MaxShots of them: when the folder holds more,
// all go; when it holds exactly that many, the oldest is replaced under its own number;
// otherwise the next number after the highest is taken.
//
// The screen is read as the user (the display is the user's) and the picture written as
// root; a session without an X display, or a Wayland one, gives no picture and the
// numbering stays where it was.
class SnapshotTaker : public QObject
{
    Q_OBJECT

public:
    // Reads the screen and hands the PNG data to `done` (empty when there is none).
    using Capture = std::function<void(QObject *context, std::function<void(const QByteArray &png)> done)>;

    explicit SnapshotTaker(QObject *parent = nullptr);

    // One tick of the snapshot timer. The timer is started again once the picture is
    // written, with the interval the settings give then.
    void getSnapShot(QTimer *snapshotTimer);

    // Test seam: where the picture comes from.
    void setCapture(Capture capture);

signals:
    // A tick has ended; `path` is the snapshot written, empty when none was.
    void snapshotDone(const QString &path);

private:
    Capture m_capture;
    bool m_capturing = false;
};

// The purge and numbering rules of a tick, on a folder (as the caller's user): the
// ten-digit number the next snapshot takes, or nothing when maxShots is 0.
std::optional<QString> planSnapshot(const QString &folder, int maxShots);

// import -silent -window root of the session's X display, as PNG.
void captureScreen(QObject *context, std::function<void(const QByteArray &png)> done);
