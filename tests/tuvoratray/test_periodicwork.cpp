#include "periodicwork.h"
#include "policyconfig.h"
#include "policywarnings.h"
#include "sandboxcheck.h"
#include "snapshottaker.h"
#include "testfiles.h"
#include "traymoderecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The tray's timer-driven work with the files it reads and leaves, and a clock that the
// test moves itself (the files' modification times).
namespace {

const QString Shots = QStringLiteral("/etc/tuvora/snapshots");

QString shot(int number)
{
    return Shots + QStringLiteral("/policyshot_%1.png").arg(number, 10, 10, QLatin1Char('0'));
}

// A picture whose width tells which capture made it.
QByteArray pngOfWidth(int width)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImage(width, 1, QImage::Format_RGB32).save(&buffer, "PNG");
    return data;
}

int widthOf(const QString &path)
{
    return QImage(path).width();
}

void setSnapshotSettings(bool enabled, int interval, int maxShots)
{
    QByteArray config = readFileBytes(QStringLiteral("/etc/tuvora/policyConfig.xml"));
    const int at = config.indexOf("<SnapshotsLog>");
    const int value = config.indexOf("<logEnabled>", at) + int(qstrlen("<logEnabled>"));
    config[value] = enabled ? '1' : '0';
    QVERIFY(writeFileBytes(QStringLiteral("/etc/tuvora/policyConfig.xml"), config));
    writeInterval(interval);
    writeMaxShots(maxShots);
}

void setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

QStringList shotNames()
{
    return QDir(Shots).entryList(QDir::Files, QDir::Name);
}

QList<QMessageBox *> openBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

} // namespace

class TestPeriodicWork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        QVERIFY2(qgetenv("TUVORA_SANDBOX_NET") == "inside", "the network check must not reach the host's network");
    }

    void init()
    {
        QDir(Shots).removeRecursively();
        QVERIFY(QDir().mkpath(Shots));
        m_taker = std::make_unique<SnapshotTaker>();
        m_captures = 0;
        m_taker->setCapture([this](QObject *, std::function<void(const QByteArray &)> done) {
            ++m_captures;
            QTimer::singleShot(0, [this, done] { done(pngOfWidth(m_captures)); });
        });
        m_clock = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
    }

    void threeShotsAreNumberedFromZeroAndTheFourthReplacesTheLeastRecent()
    {
        setSnapshotSettings(true, 1, 3);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(tick(), shot(n));
        QCOMPARE(shotNames().size(), 3);
        QCOMPARE(m_timer.interval(), 60000);
        QVERIFY(m_timer.isActive());

        // Number 0 written again last: number 1 is now the least recent.
        setModified(shot(0), m_clock.addSecs(3600));
        writeInterval(2);
        QCOMPARE(tick(), shot(1));
        QCOMPARE(shotNames().size(), 3);
        QCOMPARE(widthOf(shot(1)), 4);
        QCOMPARE(widthOf(shot(0)), 1);
        // A changed interval takes effect with the snapshot.
        QCOMPARE(m_timer.interval(), 120000);
    }

    void moreShotsThanAllowedAreAllDeletedAndNumberingStartsAtOne()
    {
        setSnapshotSettings(true, 1, 2);
        for (int n = 0; n < 5; ++n)
            QVERIFY(writeFileBytes(shot(n), pngOfWidth(99)));
        QCOMPARE(tick(), shot(1));
        QCOMPARE(shotNames(), QStringList { QStringLiteral("policyshot_0000000001.png") });
    }

    void noShotsAllowedDeletesThemAndTakesNone()
    {
        setSnapshotSettings(true, 1, 0);
        QVERIFY(writeFileBytes(shot(7), pngOfWidth(99)));
        m_timer.start(12345);
        m_taker->getSnapShot(&m_timer);
        QTest::qWait(50);
        QVERIFY(shotNames().isEmpty());
        QCOMPARE(m_captures, 0);
        QVERIFY(m_timer.isActive());
        QCOMPARE(m_timer.interval(), 12345);
    }

    void disabledSnapshotsOrNoIntervalCaptureNothing()
    {
        QVERIFY(writeFileBytes(shot(3), pngOfWidth(99)));
        m_timer.start(60000);
        for (const auto &[enabled, interval] : { std::pair { false, 5 }, std::pair { true, 0 } }) {
            setSnapshotSettings(enabled, interval, 1);
            m_taker->getSnapShot(&m_timer);
            QTest::qWait(50);
            QCOMPARE(m_captures, 0);
            QCOMPARE(shotNames(), QStringList { QStringLiteral("policyshot_0000000003.png") });
            QVERIFY(m_timer.isActive());
        }
    }

    void captureWithoutDisplayFailsQuietlyAndKeepsTheNumbering()
    {
        setSnapshotSettings(true, 1, 2);
        QVERIFY(writeFileBytes(shot(0), pngOfWidth(99)));
        setModified(shot(0), m_clock);
        const QByteArray display = qgetenv("DISPLAY");
        qunsetenv("DISPLAY");
        SnapshotTaker real;
        QSignalSpy done(&real, &SnapshotTaker::snapshotDone);
        real.getSnapShot(&m_timer);
        QTRY_COMPARE(done.size(), 1);
        QCOMPARE(done.first().first().toString(), QString());
        QCOMPARE(shotNames(), QStringList { QStringLiteral("policyshot_0000000000.png") });
        // The timer goes on as after any snapshot.
        QVERIFY(m_timer.isActive());
        if (!display.isEmpty())
            qputenv("DISPLAY", display);
        // The next capture that works takes the number the failed one would have had.
        QCOMPARE(tick(), shot(1));
    }

    void bothWarningsOfOneTickAreShownWithoutHoldingTheTray()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("/var/lib/tuvora")));
        const QString app = QStringLiteral("/var/lib/tuvora/policyappwarning");
        const QString internet = QStringLiteral("/var/lib/tuvora/policyintwarning");
        QVERIFY(writeFileBytes(app, {}));
        QVERIFY(writeFileBytes(internet, {}));
        writeServerIP({});
        bool busy = false;
        bool teacherMode = false;
        PeriodicWork work(&m_tray, busy, teacherMode);
        work.checkForWarning();

        QVERIFY(!QFile::exists(app));
        QVERIFY(!QFile::exists(internet));
        const QList<QMessageBox *> boxes = openBoxes();
        QCOMPARE(boxes.size(), 2);
        QStringList texts;
        for (QMessageBox *box : boxes) {
            texts << box->text();
            QCOMPARE(box->windowTitle(), QStringLiteral("Tuvora"));
            QVERIFY(!box->isModal());
        }
        texts.sort();
        QCOMPARE(texts,
            QStringList({ QStringLiteral("Tuvora is going to block internet in 5 minutes."),
                QStringLiteral("Tuvora is going to close blocked applications in 5 minutes.") }));

        // The tray's timers go on while the boxes wait for the user.
        QTimer warningTimer;
        QSignalSpy ticks(&warningTimer, &QTimer::timeout);
        warningTimer.start(20);
        QTRY_VERIFY(ticks.size() >= 3);
        QCOMPARE(openBoxes().size(), 2);

        // The application warning comes first; pressing OK closes a box for good.
        QVERIFY(writeFileBytes(app, {}));
        QVERIFY(writeFileBytes(internet, {}));
        QCOMPARE(takeDueWarnings(app, internet),
            QStringList({ QStringLiteral("Tuvora is going to close blocked applications in 5 minutes."),
                QStringLiteral("Tuvora is going to block internet in 5 minutes.") }));
        QPointer<QMessageBox> first = boxes.first();
        first->buttons().first()->click();
        QTRY_VERIFY(!first);
        QCOMPARE(openBoxes().size(), 1);
        // No marker, no box.
        work.checkForWarning();
        QCOMPARE(openBoxes().size(), 1);
        delete openBoxes().first();
    }

    void twoResolverChangesBetweenTicksCauseOneReload()
    {
        const QString calls = QStringLiteral("/tmp/squid-calls");
        QVERIFY(writeFileBytes(
            QStringLiteral("/usr/sbin/squid"), QStringLiteral("#!/bin/sh\necho \"$*\" >> %1\n").arg(calls).toUtf8()));
        QVERIFY(QFile::setPermissions(QStringLiteral("/usr/sbin/squid"), QFile::ReadOwner | QFile::ExeOwner));
        const QString resolvConf = QStringLiteral("/etc/resolv.conf");
        QVERIFY(writeFileBytes(resolvConf, "nameserver 10.0.0.1\n"));
        setModified(resolvConf, m_clock);

        bool busy = false;
        bool teacherMode = false;
        PeriodicWork work(&m_tray, busy, teacherMode);
        QDateTime stamp;
        work.updateSquid(stamp);
        QCOMPARE(stamp, m_clock);
        setModified(resolvConf, m_clock.addSecs(5));
        setModified(resolvConf, m_clock.addSecs(9));
        work.updateSquid(stamp);
        QTRY_COMPARE(readFileBytes(calls), QByteArray("-k reconfigure\n"));
        work.updateSquid(stamp);
        QTest::qWait(300);
        QCOMPARE(readFileBytes(calls), QByteArray("-k reconfigure\n"));
    }

private:
    // One tick of the snapshot timer; the snapshot written, stamped by the test's clock.
    QString tick()
    {
        QSignalSpy done(m_taker.get(), &SnapshotTaker::snapshotDone);
        m_taker->getSnapShot(&m_timer);
        if (done.isEmpty() && !done.wait(5000))
            return QStringLiteral("no snapshot");
        const QString path = done.first().first().toString();
        m_clock = m_clock.addSecs(60);
        if (!path.isEmpty())
            setModified(path, m_clock);
        return path;
    }

    // The process's one policy finder keeps the first tray it is given.
    TrayModeRecorder m_tray;
    std::unique_ptr<SnapshotTaker> m_taker;
    QTimer m_timer;
    int m_captures = 0;
    QDateTime m_clock;
};

QTEST_MAIN(TestPeriodicWork)
#include "test_periodicwork.moc"
