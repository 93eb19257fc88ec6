#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString ConfigPath = Paths::path(Paths::ConfigFile);

void writeConfig(const QByteArray &content)
{
    QFile::remove(ConfigPath);
    QVERIFY(writeFileBytes(ConfigPath, content));
}

QStringList rootChildren()
{
    QStringList names;
    QXmlStreamReader reader(readFileBytes(ConfigPath));
    if (!reader.readNextStartElement())
        return names;
    while (reader.readNextStartElement()) {
        names.append(reader.name().toString());
        reader.skipCurrentElement();
    }
    return names;
}

} // namespace

class TestPolicyConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void installedDefaultsHoldEveryKey()
    {
        // As seeded from the installed defaults.
        QCOMPARE(fileMode(ConfigPath), 0600u);
        // The administrator password is added by the install, which asks for it.
        for (const char *key :
            { "ServerIP", "Interval", "MaxShots", "Status", "Language", "NextPolicy", "Type", "Log" })
            QVERIFY2(rootChildren().contains(QLatin1String(key)), key);
        QCOMPARE(readStatus(), 1);
        QCOMPARE(readType(), 0);
        QCOMPARE(readNextPolicy(), 1);
    }

    void settersMoveTheirElementToTheEnd()
    {
        writeConfig("<Config><ServerIP>10.0.0.1</ServerIP><Status>0</Status><Language>pt</Language></Config>");
        writeStatus(1);
        QCOMPARE(rootChildren(),
            QStringList({ QStringLiteral("ServerIP"), QStringLiteral("Language"), QStringLiteral("Status") }));
        QCOMPARE(readStatus(), 1);
        QVERIFY(readFileBytes(ConfigPath).contains("    <Status>1</Status>\n</Config>\n"));
    }

    void everyAccessorRoundTrips()
    {
        writeConfig("<Config/>");
        writeServerIP(QStringLiteral("192.0.2.7"));
        writeLanguage(QStringLiteral("pt_BR"));
        writePassword(QStringLiteral("s3cr&t<>"));
        writeInterval(15);
        writeMaxShots(40);
        writeStatus(0);
        writeNextPolicy(12);
        QCOMPARE(readServerIP(), QStringLiteral("192.0.2.7"));
        QCOMPARE(readLanguage(), QStringLiteral("pt_BR"));
        QCOMPARE(readPassword(), QStringLiteral("s3cr&t<>"));
        QCOMPARE(readInterval(), 15);
        QCOMPARE(readMaxShots(), 40);
        QCOMPARE(readStatus(), 0);
        QCOMPARE(readNextPolicy(), 12);
        // Keys that are missing read as empty.
        QCOMPARE(readType(), 0);
        QVERIFY(!readLogEnabled());
    }

    void valuesThatAreNoNumbersReadAsZero()
    {
        writeConfig("<Config><Status>one</Status><Interval> 7 </Interval><MaxShots>3x</MaxShots>"
                    "<Log><SnapshotsLog><logEnabled>2</logEnabled></SnapshotsLog></Log></Config>");
        QCOMPARE(readStatus(), 0);
        QCOMPARE(readInterval(), 7);
        QCOMPARE(readMaxShots(), 0);
        QVERIFY(readLogEnabled());
    }

    void duplicateKeysAreReadFirstAndReplacedFirst()
    {
        writeConfig("<Config><Status>1</Status><Status>5</Status></Config>");
        QCOMPARE(readStatus(), 1);
        writeStatus(0);
        QCOMPARE(readStatus(), 5);
    }

    void settersLeaveAMissingOrBrokenFileAlone()
    {
        QFile::remove(ConfigPath);
        const QByteArray openError = QByteArray("Error opening file: ") + Paths::ConfigFile + '\n';
        QCOMPARE(captureStderr([] { writeStatus(1); }), openError);
        QVERIFY(!QFile::exists(ConfigPath));
        QCOMPARE(captureStderr([] {
            QCOMPARE(readStatus(), 0);
            QCOMPARE(readLanguage(), QString());
        }),
            openError + openError);

        const QByteArray broken("<Config><Status>1</Status>");
        writeConfig(broken);
        writeLanguage(QStringLiteral("en"));
        QCOMPARE(readFileBytes(ConfigPath), broken);
    }

    void rewrittenFileKeepsItsMode()
    {
        writeConfig("<Config/>");
        QFile::setPermissions(ConfigPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        writeStatus(1);
        QCOMPARE(fileMode(ConfigPath), 0640u);
    }

    void gatewayTimeout_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expected");
        QTest::newRow("comment then value") << QByteArray("# check period\ntimeout:30\n") << 30;
        QTest::newRow("spaces around") << QByteArray("timeout:  45 \n") << 45;
        QTest::newRow("bare prefix") << QByteArray("timeout:") << 0;
        QTest::newRow("no such line") << QByteArray("period:30\n Timeout:5\n") << -1;
        QTest::newRow("not a number") << QByteArray("timeout:soon\n") << 0;
        QTest::newRow("first line wins") << QByteArray("timeout:10\ntimeout:20\n") << 10;
    }

    void gatewayTimeout()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expected);
        writeFileBytes(PolicyConfig::gatewayTimeoutPath(), content);
        QCOMPARE(readGatewayTimeout(), expected);
    }

    void gatewayTimeoutMissing()
    {
        QFile::remove(PolicyConfig::gatewayTimeoutPath());
        QCOMPARE(readGatewayTimeout(), -1);
    }
};

QTEST_GUILESS_MAIN(TestPolicyConfig)
#include "test_policyconfig.moc"
