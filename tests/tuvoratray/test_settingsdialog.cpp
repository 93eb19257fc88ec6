#include "configfixture.h"
#include "messagebox.h"
#include "paths.h"
#include "policyconfig.h"
#include "preconfiguration.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>

namespace {

const QByteArray squidLines
    = "1700000000.100 5 10.0.0.2 TCP_MISS/200 100 GET http://www.example.org/a - DIRECT/1.2.3.4 text/html\n"
      "1700000001.100 5 10.0.0.2 TCP_MISS/200 100 GET http://www.example.org/b - DIRECT/1.2.3.4 text/html\n"
      "1700000002.100 5 10.0.0.2 TCP_MISS/200 100 GET http://news.example.net/ - DIRECT/1.2.3.5 text/html\n";

QString path(const char *place)
{
    return Paths::path(place);
}

void clickSave(preConfiguration &dialog)
{
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
}

QString lastMessage()
{
    const QList<MessageBox::Shown> shown = MessageBox::shown();
    return shown.isEmpty() ? QString() : shown.last().text;
}

ino_t inode(const QString &file)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        installLogAnalyser();
    }

    void init()
    {
        MessageBox::clearShown();
        QCOMPARE(MessageBox::pendingAnswers(), 0);
        QVERIFY(writeFileBytes(path(Paths::ConfigFile),
            configWith(QStringLiteral("secret"), logElement(5, 9, true, 3, true, 4, true, 6, false))));
    }

    void passwordChecks_data()
    {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("storedAfter");
        const QString invalid = QStringLiteral("The password is invalid.");
        QTest::newRow("current password missing") << false << "secret"
                                                  << ""
                                                  << "abc"
                                                  << "abc" << invalid << "secret";
        QTest::newRow("current password wrong case") << false << "secret"
                                                     << "SECRET"
                                                     << "abc"
                                                     << "abc" << invalid << "secret";
        QTest::newRow("mismatch") << false << "secret"
                                  << "secret"
                                  << "abc"
                                  << "abd"
                                  << "The typed passwords don't match."
                                  << "secret";
        QTest::newRow("blanks only") << false << "secret"
                                     << "secret"
                                     << "   "
                                     << "   "
                                     << "The password must not be fully composed by blank characters."
                                     << "secret";
        QTest::newRow("empty password accepted") << false << "secret"
                                                 << "secret"
                                                 << ""
                                                 << ""
                                                 << ""
                                                 << "";
        QTest::newRow("changed") << false << "secret"
                                 << "secret"
                                 << " a b "
                                 << " a b "
                                 << ""
                                 << " a b ";
        QTest::newRow("unlocked, stored password set") << true << "secret"
                                                       << ""
                                                       << "abc"
                                                       << "abc" << invalid << "secret";
        QTest::newRow("unlocked, stored password empty") << true << ""
                                                         << ""
                                                         << "abc"
                                                         << "abc"
                                                         << ""
                                                         << "abc";
    }

    void passwordChecks()
    {
        QFETCH(bool, unlocked);
        QFETCH(QString, stored);
        QFETCH(QString, current);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        QFETCH(QString, storedAfter);
        writePassword(stored);

        preConfiguration dialog(nullptr, unlocked);
        dialog.show();
        QCOMPARE(dialog.txtOldPassword->isEnabled(), !unlocked);
        QTest::keyClicks(dialog.txtOldPassword, current);
        QVERIFY(dialog.txtOldPassword->text().isEmpty() == (unlocked || current.isEmpty()));
        QTest::keyClicks(dialog.txtNewPassword, newPassword);
        QTest::keyClicks(dialog.txtNewPassword2, confirmation);
        dialog.txtIP->setText(QStringLiteral("192.168.7.7"));
        if (!message.isEmpty())
            MessageBox::setNextAnswer(0);
        clickSave(dialog);

        QCOMPARE(readPassword(), storedAfter);
        if (message.isEmpty()) {
            QVERIFY(MessageBox::shown().isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(!dialog.isVisible());
            QCOMPARE(readServerIP(), QStringLiteral("192.168.7.7"));
        } else {
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().last().caption, QStringLiteral("Tuvora - Alert"));
            QCOMPARE(MessageBox::shown().last().buttons, QStringList { QStringLiteral("OK") });
            QCOMPARE(lastMessage(), message);
            // Refused: the dialog stays open and nothing was written.
            QVERIFY(dialog.isVisible());
            QCOMPARE(readServerIP(), QStringLiteral("10.0.0.1"));
        }
    }

    void untouchedPasswordIsNotChecked()
    {
        preConfiguration dialog(nullptr, true);
        dialog.show();
        clickSave(dialog);
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(readPassword(), QStringLiteral("secret"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void loadsAndSavesTheLogElementAndTheKeysTheTrayReads()
    {
        preConfiguration dialog;
        QCOMPARE(dialog.txtIP->text(), QStringLiteral("10.0.0.1"));
        QCOMPARE(dialog.spnShotInterval->value(), 5);
        QCOMPARE(dialog.spnAllowedShots->value(), 9);
        QVERIFY(dialog.chkScreenLog->isChecked());
        QCOMPARE(dialog.spnApplicationLogSize->value(), 3);
        QCOMPARE(dialog.spnInternetLogSize->value(), 4);
        QCOMPARE(dialog.spnFileLogSize->value(), 6);
        QVERIFY(!dialog.chkFileLog->isChecked());
        QCOMPARE(dialog.spnAllowedShots->maximum(), 2000);
        QCOMPARE(dialog.spnShotInterval->minimum(), 1);
        QCOMPARE(dialog.spnFileLogSize->maximum(), 99);

        dialog.show();
        dialog.spnShotInterval->setValue(15);
        dialog.spnAllowedShots->setValue(120);
        dialog.chkScreenLog->setChecked(false);
        dialog.spnApplicationLogSize->setValue(7);
        dialog.chkApplicationLog->setChecked(false);
        dialog.spnFileLogSize->setValue(12);
        dialog.chkFileLog->setChecked(true);
        // Alt+S is the OK button's accelerator.
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));

        // The Log element, once, in the order the configuration keeps it.
        QByteArray log;
        int logElements = 0;
        QXmlStreamReader reader(readFileBytes(path(Paths::ConfigFile)));
        int depthInLog = 0;
        while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
            if (reader.isStartElement()) {
                if (depthInLog == 0 && reader.name() == QLatin1String("Log"))
                    ++logElements;
                if (depthInLog == 1)
                    log += reader.name().toLatin1() + ':';
                if (depthInLog == 2)
                    log += reader.name().toLatin1() + '=' + reader.readElementText().toLatin1() + ' ';
                else if (depthInLog > 0 || reader.name() == QLatin1String("Log"))
                    ++depthInLog;
            } else if (reader.isEndElement() && depthInLog > 0) {
                --depthInLog;
            }
        }
        QCOMPARE(logElements, 1);
        QCOMPARE(log,
            QByteArray("SnapshotsLog:ShotInterval=15 MaxAllowedShots=120 logEnabled=0 "
                       "ApplicationsLog:LogSize=7 logEnabled=0 InternetLog:LogSize=4 logEnabled=1 "
                       "FilesLog:LogSize=12 logEnabled=1 "));
        QCOMPARE(readInterval(), 15);
        QCOMPARE(readMaxShots(), 120);
        QCOMPARE(readPassword(), QStringLiteral("secret"));
        QCOMPARE(readFileBytes(path(Paths::FileLogSize)), QByteArray("12\n"));
    }

    void webLogSwitchedOffKeepsTheReportOfTheLogItEmpties()
    {
        QVERIFY(writeFileBytes(path(Paths::SquidAccessLog), squidLines));
        QVERIFY(writeFileBytes(path(Paths::InternetLog), "1:old.example.com|\n"));
        preConfiguration dialog;
        dialog.show();
        dialog.chkInternetLog->setChecked(false);
        dialog.spnInternetLogSize->setValue(0);
        clickSave(dialog);
        QCOMPARE(readFileBytes(path(Paths::InternetLog)), QByteArray("2:www.example.org|1:news.example.net|\n"));
        QCOMPARE(readFileBytes(path(Paths::SquidAccessLog)), QByteArray());
    }

    void webLogSwitchedOnWritesNoReport()
    {
        QVERIFY(writeFileBytes(path(Paths::ConfigFile),
            configWith(QStringLiteral("secret"), logElement(5, 9, true, 3, true, 4, false, 6, false))));
        QVERIFY(writeFileBytes(path(Paths::SquidAccessLog), squidLines));
        QVERIFY(writeFileBytes(path(Paths::InternetLog), "1:old.example.com|\n"));
        preConfiguration dialog;
        dialog.show();
        dialog.chkInternetLog->setChecked(true);
        clickSave(dialog);
        QCOMPARE(readFileBytes(path(Paths::InternetLog)), QByteArray("1:old.example.com|\n"));
        QCOMPARE(readFileBytes(path(Paths::SquidAccessLog)), squidLines);
    }

    void sizeZeroEmptiesTheLogsWhileTheirWritersGoOnWriting()
    {
        const QString squidLog = path(Paths::SquidAccessLog);
        QVERIFY(writeFileBytes(squidLog, squidLines));
        QVERIFY(writeFileBytes(path(Paths::ApplicationsLog), "firefox^2024-05-01 10:00\n"));
        QVERIFY(writeFileBytes(path(Paths::FilesLog), "IN_CREATE^/home/ana/a.txt^2024-05-01 10:00:00\n"));
        const QString snapshots = path(Paths::SnapshotDir);
        QDir().mkpath(snapshots);
        QVERIFY(writeFileBytes(snapshots + QStringLiteral("/policyshot_0000000001.png"), "png"));
        const ino_t squidInode = inode(squidLog);

        // A writer that keeps the access log open and appends to it, as squid does.
        QProcess writer;
        writer.start(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), QStringLiteral("exec 3>>\"$1\"; echo ready; read line; echo after >&3; echo done"),
                QStringLiteral("sh"), squidLog });
        QVERIFY(writer.waitForReadyRead(5000));

        preConfiguration dialog;
        dialog.show();
        dialog.spnInternetLogSize->setValue(0);
        dialog.spnApplicationLogSize->setValue(0);
        dialog.spnFileLogSize->setValue(0);
        dialog.spnAllowedShots->setValue(0);
        clickSave(dialog);

        QCOMPARE(readFileBytes(squidLog), QByteArray());
        QCOMPARE(inode(squidLog), squidInode);
        writer.write("go\n");
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(readFileBytes(squidLog), QByteArray("after\n"));
        QCOMPARE(readFileBytes(path(Paths::ApplicationsLog)), QByteArray());
        QCOMPARE(readFileBytes(path(Paths::FilesLog)), QByteArray());
        QVERIFY(QDir(snapshots).isEmpty());
        QCOMPARE(readFileBytes(path(Paths::FileLogSize)), QByteArray("0\n"));
    }

    void publishingMachineShowsOnlyThePassword()
    {
        QVERIFY(writeFileBytes(path(Paths::ConfigFile),
            configWith(QStringLiteral("secret"), logElement(5, 9, true, 3, true, 4, true, 6, false), 2)));
        preConfiguration dialog;
        dialog.show();
        QCOMPARE(dialog.lstOptions->topLevelItemCount(), 1);
        QCOMPARE(dialog.lstOptions->topLevelItem(0)->text(0), QStringLiteral("General Settings"));
        QVERIFY(!dialog.grpServerIP->isVisible());
        QVERIFY(dialog.txtNewPassword->isVisible());
    }

    void pageListChoosesThePage()
    {
        preConfiguration dialog;
        dialog.show();
        QCOMPARE(dialog.lstOptions->topLevelItemCount(), 2);
        QVERIFY(dialog.grpServerIP->isVisible());
        dialog.lstOptions->setCurrentItem(dialog.lstOptions->topLevelItem(1));
        QCOMPARE(dialog.wstack->currentIndex(), 1);
        QCOMPARE(dialog.currentPage(), 1);
        QVERIFY(dialog.chkInternetLog->isVisible());
        QVERIFY(helpPageOpenedBy([&] {
            QTest::mouseClick(dialog.btnHelp, Qt::LeftButton);
        }).startsWith(QStringLiteral("LogConfiguration_")));
        dialog.lstOptions->setCurrentItem(dialog.lstOptions->topLevelItem(0));
        QVERIFY(helpPageOpenedBy([&] {
            QTest::mouseClick(dialog.btnHelp, Qt::LeftButton);
        }).startsWith(QStringLiteral("GeneralSettings_")));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settingsdialog.moc"
