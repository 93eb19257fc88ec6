#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "startup.h"
#include "testfiles.h"
#include "translationchoice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

// The start-up steps that run before the window: the language choice and the menu
// export, with the outside exporter replaced by small scripts.
namespace {

const QString LangDir = Paths::path(Paths::LangDir) + QLatin1Char('/');
const QString ExporterArgs = Paths::path(Paths::ConfigDir) + QLatin1String("/exporter-args");
const QString ExporterPid = Paths::path(Paths::ConfigDir) + QLatin1String("/exporter-pid");
const QString Exporter = QStringLiteral("/usr/local/bin/launcherlist");
const char FailureMessage[] = "Failed to update applications list";

void installExporter(const QByteArray &script)
{
    QDir().mkpath(QStringLiteral("/usr/local/bin"));
    writeFileBytes(Exporter, "#!/bin/sh\n" + script);
    ::chmod(QFile::encodeName(Exporter).constData(), 0755);
}

} // namespace

class TestTuvoraStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        QDir().mkpath(LangDir);
        QFile::remove(QStringLiteral("/usr/bin/launcherlist"));
    }

    void languageFallsBackToTheInstalledCatalogue_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("storedAfter");
        const QString fromLang = QStringLiteral("pt_BR.UTF-8");
        QTest::newRow("LANG, nothing installed")
            << QString() << QStringList() << QStringLiteral("tuvora_en_US.qm") << fromLang;
        QTest::newRow("LANG, only pt") << QString() << QStringList({ QStringLiteral("tuvora_pt.qm") })
                                       << QStringLiteral("tuvora_pt.qm") << fromLang;
        QTest::newRow("configured pt_BR")
            << QStringLiteral("pt_BR.UTF-8")
            << QStringList({ QStringLiteral("tuvora_pt.qm"), QStringLiteral("tuvora_pt_BR.qm") })
            << QStringLiteral("tuvora_pt_BR.qm") << fromLang;
        QTest::newRow("another program's catalogue") << QString() << QStringList({ QStringLiteral("appstop_pt_BR.qm") })
                                                     << QStringLiteral("tuvora_en_US.qm") << fromLang;
        QTest::newRow("de without a catalogue")
            << QStringLiteral("de") << QStringList() << QStringLiteral("tuvora_en_US.qm") << QStringLiteral("de");
    }

    void languageFallsBackToTheInstalledCatalogue()
    {
        QFETCH(QString, configured);
        QFETCH(QStringList, installed);
        QFETCH(QString, loaded);
        QFETCH(QString, storedAfter);
        QDir lang(LangDir);
        for (const QString &name : lang.entryList(QDir::Files))
            lang.remove(name);
        for (const QString &name : installed)
            writeFileBytes(LangDir + name, {});
        writeLanguage(configured);
        qputenv("LANG", "pt_BR.UTF-8");

        QCOMPARE(tuvoraCatalogueFile(configuredLanguage()), LangDir + loaded);
        QCOMPARE(readLanguage(), storedAfter);
    }

    void menuExportWaitsForTheExporterWithoutPolling()
    {
        installExporter("echo \"$@\" > " + QFile::encodeName(ExporterArgs) + '\n');
        QElapsedTimer timer;
        timer.start();
        exportApplicationMenu();
        QVERIFY2(timer.elapsed() < 900, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(readFileBytes(ExporterArgs), QByteArray("-d /etc/tuvora\n"));
    }

    void aHungExporterIsStopped()
    {
        installExporter("echo $$ > " + QFile::encodeName(ExporterPid) + "\nexec sleep 60\n");
        QElapsedTimer timer;
        timer.start();
        QTest::ignoreMessage(QtDebugMsg, FailureMessage);
        exportApplicationMenu(300);
        QVERIFY(timer.elapsed() < 10000);
        const QByteArray pid = readFileBytes(ExporterPid).trimmed();
        QVERIFY(!pid.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));
    }

    void aMissingExporterIsOnlyReported()
    {
        QFile::remove(Exporter);
        QTest::ignoreMessage(QtDebugMsg, FailureMessage);
        exportApplicationMenu();
    }
};

QTEST_GUILESS_MAIN(TestTuvoraStartup)
#include "test_tuvorastartup.moc"
