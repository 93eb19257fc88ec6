#include "configfixture.h"
#include "filelogcleanup.h"
#include "manualslideclock.h"
#include "paths.h"
#include "prelog.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

QString path(const char *place)
{
    return Paths::path(place);
}

QStringList rows(const QTreeWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int column = 0; column < list->columnCount(); ++column)
            columns.append(list->topLevelItem(i)->text(column));
        texts.append(columns.join(QLatin1Char('|')));
    }
    return texts;
}

// A snapshot of one colour, written `age` seconds ago.
void writeSnapshot(const QString &name, Qt::GlobalColor colour, int age)
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(colour);
    const QString file = path(Paths::SnapshotDir) + QLatin1Char('/') + name;
    QVERIFY(image.save(file, "PNG"));
    QFile handle(file);
    QVERIFY(handle.open(QIODevice::ReadWrite));
    QVERIFY(handle.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
}

QColor shownColour(const preLog &window)
{
    const QImage image = window.imgSnap->pixmap().toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

// A log analyser that counts its runs and prints a report of one site per run.
void installCountingAnalyser()
{
    const QString target = path(Paths::LogAnalyser);
    QFile::remove(target);
    QVERIFY(writeFileBytes(target,
        "#!/bin/sh\necho run >> /var/log/analyser-runs\n"
        "printf '%s:run%s.example.org|\\n' 7 \"$(wc -l < /var/log/analyser-runs)\"\n"));
    QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile::remove(QStringLiteral("/var/log/analyser-runs"));
}

int analyserRuns()
{
    return int(readFileBytes(QStringLiteral("/var/log/analyser-runs")).count('\n'));
}

} // namespace

class TestLogViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        QVERIFY(writeFileBytes(
            path(Paths::ConfigFile), configWith(QString(), logElement(5, 9, true, 3, true, 4, false, 6, true))));
        for (const char *log : { Paths::ApplicationsLog, Paths::FilesLog, Paths::InternetLog })
            QFile::remove(path(log));
        QDir(path(Paths::SnapshotDir)).removeRecursively();
        QDir().mkpath(path(Paths::SnapshotDir));
    }

    void fileLogLosesItsNoiseAndShowsTheWatchedEvents()
    {
        const QByteArray kept = "IN_CLOSE_NOWRITE^/home/ana/notes.txt^2024-05-01 10:00:00\n"
                                "IN_MOVED_TO^/home/ana/moved.txt^2024-05-01 10:00:01\n"
                                "IN_CREATE^/home/ana/new.txt^2024-05-01 10:00:02\n"
                                "IN_CLOSE_WRITE^/home/ana/new.txt^2024-05-01 10:00:03\n"
                                "IN_DELETE^/home/ana/old.txt^2024-05-01 10:00:04\n";
        QVERIFY(writeFileBytes(path(Paths::FilesLog),
            "IN_CREATE,IN_ISDIR^/home/ana/photos^2024-05-01 09:59:00\n"
            "IN_ATTRIB^/home/ana/notes.txt^2024-05-01 09:59:01\n"
            "IN_OPEN^/home/ana/notes.txt^2024-05-01 09:59:02\n"
            "IN_CLOSE_WRITE^/home/ana/.mozilla/cookies.sqlite^2024-05-01 09:59:03\n"
                + kept.left(kept.indexOf('\n') + 1) + "IN_CREATE^/home/ana/.cache^2024-05-01 09:59:04\n"
                + kept.mid(kept.indexOf('\n') + 1)));

        preLog window;
        QCOMPARE(readFileBytes(path(Paths::FilesLog)), kept);
        QCOMPARE(rows(window.lstFileLog),
            QStringList({ QStringLiteral("/home/ana/notes.txt|Viewed|2024-05-01 10:00:00"),
                QStringLiteral("/home/ana/new.txt|Created|2024-05-01 10:00:02"),
                QStringLiteral("/home/ana/new.txt|Edited|2024-05-01 10:00:03"),
                QStringLiteral("/home/ana/old.txt|Deleted|2024-05-01 10:00:04") }));
    }

    void cleanUpLosesNoLineTheWatcherAppendsMeanwhile()
    {
        // Appends as the watcher does, one opening per line, a hidden file after each.
        const QString log = path(Paths::FilesLog);
        QProcess watcher;
        watcher.start(QStringLiteral("/bin/bash"),
            { QStringLiteral("-c"),
                QStringLiteral("for i in $(seq 1 3000); do printf 'IN_CREATE^/home/ana/f%s^t\\n' $i >> \"$1\";"
                               " printf 'IN_CREATE^/home/ana/.f%s^t\\n' $i >> \"$1\"; done"),
                QStringLiteral("bash"), log });
        QVERIFY(watcher.waitForStarted());
        int cleanUps = 0;
        while (!watcher.waitForFinished(0)) {
            cleanFilesLog(log);
            ++cleanUps;
        }
        QCOMPARE(watcher.exitCode(), 0);
        QVERIFY(cleanUps > 1);

        QByteArray expected;
        for (int i = 1; i <= 3000; ++i)
            expected += "IN_CREATE^/home/ana/f" + QByteArray::number(i) + "^t\n";
        QCOMPARE(withoutNoise(readFileBytes(log)), expected);
        QCOMPARE(cleanFilesLog(log), expected);
        QCOMPARE(readFileBytes(log), expected);
    }

    void everyWebLogEntryIsARow()
    {
        QVERIFY(writeFileBytes(path(Paths::InternetLog),
            "12:www.example.org|3:news.example.net|1:a.example.com|\n"
            "5:single.example.org\n\n"));
        preLog window;
        QCOMPARE(rows(window.lstInternetLog),
            QStringList({ QStringLiteral("12|www.example.org"), QStringLiteral("3|news.example.net"),
                QStringLiteral("1|a.example.com"), QStringLiteral("5|single.example.org") }));
    }

    void searchesFilterCaseSensitivelyAsTheAdministratorTypes()
    {
        QVERIFY(writeFileBytes(path(Paths::ApplicationsLog),
            "Firefox^2024-05-01 10:00\nfirefox-esr^2024-05-01 11:00\nGIMP^2024-05-01 12:00\n"));
        QVERIFY(writeFileBytes(
            path(Paths::FilesLog), "IN_CREATE^/home/ana/Report.odt^t1\nIN_CREATE^/home/ana/report.txt^t2\n"));
        QVERIFY(writeFileBytes(path(Paths::InternetLog), "4:Example.org|2:www.example.org|\n"));
        preLog window;
        window.show();
        QCOMPARE(rows(window.lstAppLog),
            QStringList({ QStringLiteral("Firefox|2024-05-01 10:00"), QStringLiteral("GIMP|2024-05-01 12:00"),
                QStringLiteral("firefox-esr|2024-05-01 11:00") }));

        QTest::keyClicks(window.txtSearchAppLog, QStringLiteral("fire"));
        QCOMPARE(rows(window.lstAppLog), QStringList({ QStringLiteral("firefox-esr|2024-05-01 11:00") }));
        window.txtSearchAppLog->setText(QStringLiteral("Fire"));
        QCOMPARE(rows(window.lstAppLog), QStringList({ QStringLiteral("Firefox|2024-05-01 10:00") }));
        window.txtSearchAppLog->clear();
        QCOMPARE(window.lstAppLog->topLevelItemCount(), 3);

        QTest::keyClicks(window.txtSearchFileLog, QStringLiteral("report"));
        QCOMPARE(rows(window.lstFileLog), QStringList({ QStringLiteral("/home/ana/report.txt|Created|t2") }));
        // What the watcher writes meanwhile shows once typing pauses, cleaned up.
        QFile log(path(Paths::FilesLog));
        QVERIFY(log.open(QIODevice::Append));
        log.write("IN_CREATE^/home/ana/.report.swp^t3\nIN_DELETE^/home/ana/report.txt^t4\n");
        log.close();
        QTRY_COMPARE(rows(window.lstFileLog),
            QStringList({ QStringLiteral("/home/ana/report.txt|Created|t2"),
                QStringLiteral("/home/ana/report.txt|Deleted|t4") }));
        QVERIFY(!readFileBytes(path(Paths::FilesLog)).contains(".report.swp"));
        QTest::keyClicks(window.txtSearchInternetLog, QStringLiteral("Ex"));
        QCOMPARE(rows(window.lstInternetLog), QStringList({ QStringLiteral("4|Example.org") }));
    }

    void typingRunsTheReportOncePerPause()
    {
        installCountingAnalyser();
        QVERIFY(writeFileBytes(
            path(Paths::ConfigFile), configWith(QString(), logElement(5, 9, true, 3, true, 4, true, 6, true))));
        preLog window;
        window.show();
        QCOMPARE(analyserRuns(), 1);
        QCOMPARE(rows(window.lstInternetLog), QStringList({ QStringLiteral("7|run1.example.org") }));

        QTest::keyClicks(window.txtSearchInternetLog, QStringLiteral("run"));
        QCOMPARE(analyserRuns(), 1);
        QCOMPARE(window.lstInternetLog->topLevelItemCount(), 1);
        QTRY_COMPARE(rows(window.lstInternetLog), QStringList({ QStringLiteral("7|run2.example.org") }));
        QTest::qWait(2 * preLog::SearchPauseMilliseconds);
        QCOMPARE(analyserRuns(), 2);
        QCOMPARE(readFileBytes(path(Paths::InternetLog)), QByteArray("7:run2.example.org|\n"));
    }

    void snapshotsNewestFirstAndTheSlideShowWrapsToTheOldest()
    {
        writeSnapshot(QStringLiteral("policyshot_0000000007.png"), Qt::red, 300);
        writeSnapshot(QStringLiteral("policyshot_0000000002.png"), Qt::green, 100);
        writeSnapshot(QStringLiteral("policyshot_0000000005.png"), Qt::blue, 200);
        QVERIFY(writeFileBytes(path(Paths::SnapshotDir) + QStringLiteral("/other.png"), "not a snapshot"));

        preLog window;
        auto clock = std::make_unique<ManualSlideClock>();
        ManualSlideClock *beat = clock.get();
        window.setSlideClock(std::move(clock));
        window.show();
        QCOMPARE(window.sldSlider->maximum(), 2);
        QCOMPARE(shownColour(window), QColor(Qt::green));
        window.sldSlider->setValue(1);
        QCOMPARE(shownColour(window), QColor(Qt::blue));
        window.sldSlider->setValue(0);

        QTest::mouseClick(window.chkSlide, Qt::LeftButton);
        QVERIFY(beat->isActive());
        QCOMPARE(beat->interval(), 2000);
        beat->advance(2000);
        QCOMPARE(window.sldSlider->value(), 2);
        QCOMPARE(shownColour(window), QColor(Qt::red));
        beat->advance(1999);
        QCOMPARE(window.sldSlider->value(), 2);
        beat->advance(1);
        QCOMPARE(window.sldSlider->value(), 1);
        beat->advance(4000);
        QCOMPARE(window.sldSlider->value(), 2);

        // The log pages stop the show; back on the snapshots the newest one is shown.
        window.lstOptions->setCurrentItem(window.lstOptions->topLevelItem(1));
        QCOMPARE(window.wstack->currentIndex(), 1);
        QVERIFY(!beat->isActive());
        QVERIFY(helpPageOpenedBy([&] {
            QTest::mouseClick(window.btnHelp, Qt::LeftButton);
        }).startsWith(QStringLiteral("ViewLog_")));
        window.lstOptions->setCurrentItem(window.lstOptions->topLevelItem(0));
        QCOMPARE(window.sldSlider->value(), 0);
        QVERIFY(beat->isActive());
        QTest::mouseClick(window.chkSlide, Qt::LeftButton);
        QVERIFY(!beat->isActive());
        QVERIFY(helpPageOpenedBy([&] {
            QTest::mouseClick(window.btnHelp, Qt::LeftButton);
        }).startsWith(QStringLiteral("Snapshots_")));
    }

    void noSnapshotsShowsNothing()
    {
        QDir(path(Paths::SnapshotDir)).removeRecursively();
        preLog window;
        QCOMPARE(window.sldSlider->maximum(), 0);
        QVERIFY(window.imgSnap->pixmap().isNull());
        QCOMPARE(window.lstAppLog->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestLogViewer)
#include "test_logviewer.moc"
