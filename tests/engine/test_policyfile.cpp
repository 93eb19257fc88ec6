#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "sandboxcheck.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The format written for a small policy, byte for byte.
const char *const SmallPolicyFile = "<Policy>\n"
                                    "    <Name>Mornings</Name>\n"
                                    "    <Description>a &lt;b&gt; &amp; c</Description>\n"
                                    "    <Status>1</Status>\n"
                                    "    <Type>2</Type>\n"
                                    "    <Internet>\n"
                                    "        <ListType>0</ListType>\n"
                                    "        <AgeRange>3</AgeRange>\n"
                                    "        <Content>\n"
                                    "            <Content>poker</Content>\n"
                                    "            <Content>maçã</Content>\n"
                                    "        </Content>\n"
                                    "        <Urls>\n"
                                    "            <Urls>games.example</Urls>\n"
                                    "            <Urls>games.example</Urls>\n"
                                    "        </Urls>\n"
                                    "        <UrlsWhite/>\n"
                                    "    </Internet>\n"
                                    "    <ApplicationsSchedule>\n"
                                    "        <DateTime>\n"
                                    "            <Date>0</Date>\n"
                                    "            <Time>0</Time>\n"
                                    "        </DateTime>\n"
                                    "        <DateTime>\n"
                                    "            <Date>6</Date>\n"
                                    "            <Time>23</Time>\n"
                                    "        </DateTime>\n"
                                    "    </ApplicationsSchedule>\n"
                                    "    <InternetSchedule/>\n"
                                    "    <BlockedApplications>\n"
                                    "        <Application>\n"
                                    "            <Name>A</Name>\n"
                                    "            <Description></Description>\n"
                                    "            <Icon>a</Icon>\n"
                                    "            <Exec>a %u</Exec>\n"
                                    "            <DesktopFile>/a.desktop</DesktopFile>\n"
                                    "            <Permissions>0755</Permissions>\n"
                                    "        </Application>\n"
                                    "        <Application>\n"
                                    "            <Name>B</Name>\n"
                                    "            <Description>b</Description>\n"
                                    "            <Icon>b</Icon>\n"
                                    "            <Exec>b</Exec>\n"
                                    "            <DesktopFile>/b.desktop</DesktopFile>\n"
                                    "            <Permissions></Permissions>\n"
                                    "        </Application>\n"
                                    "    </BlockedApplications>\n"
                                    "</Policy>\n";

Policy loadFrom(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("policy_1.xml"));
    writeFileBytes(path, content);
    return Policy(path);
}

} // namespace

class TestPolicyFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void writtenFormatIsExact()
    {
        QTemporaryDir dir;
        Policy policy(1);
        policy.filePath = dir.filePath(QStringLiteral("policy_1.xml"));
        policy.name = QStringLiteral("Mornings");
        policy.description = QStringLiteral("a <b> & c");
        policy.active = true;
        policy.type = Policy::Network;
        policy.internet.ageRange = 3;
        policy.internet.content = { QStringLiteral("poker"), QStringLiteral("maçã") };
        policy.internet.urls = { QStringLiteral("games.example"), QStringLiteral("games.example") };
        policy.applicationGrid[0] = 0;
        policy.applicationGrid[167] = 0;
        // Inserted out of order: the file lists applications by desktop-file path.
        BlockedApplication b { QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("x"),
            QStringLiteral("b"), QStringLiteral("/b.desktop"), QString() };
        BlockedApplication a { QStringLiteral("a %u"), QStringLiteral("a"), QStringLiteral("A"),
            QStringLiteral("extra is never written"), QString(), QStringLiteral("/a.desktop"), QStringLiteral("0755") };
        policy.applications.insert(b.desktopFile, b);
        policy.applications.insert(a.desktopFile, a);
        policy.save();
        QCOMPARE(readFileBytes(policy.filePath), QByteArray(SmallPolicyFile));
    }

    void loadThenSaveIsByteIdentical()
    {
        QTemporaryDir dir;
        Policy policy = loadFrom(dir, SmallPolicyFile);
        QCOMPARE(policy.name, QStringLiteral("Mornings"));
        QCOMPARE(policy.description, QStringLiteral("a <b> & c"));
        QCOMPARE(policy.internet.content.value(1), QStringLiteral("maçã"));
        QCOMPARE(policy.internet.urls.size(), 2);
        QCOMPARE(policy.applications.value(QStringLiteral("/a.desktop")).extra, QString());
        policy.save();
        QCOMPARE(readFileBytes(policy.filePath), QByteArray(SmallPolicyFile));
    }

    void missingOrMalformedFilesGiveTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("malformed") << QByteArray("<Policy><Name>x</Policy>");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not xml") << QByteArray("Status=1\n");
    }

    void missingOrMalformedFilesGiveTheDefaults()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const Policy policy = loadFrom(dir, content);
        QVERIFY(!policy.active);
        QVERIFY(policy.name.isEmpty());
        QCOMPARE(policy.applicationGrid, WeekGrid());
        QCOMPARE(policy.internetGrid, WeekGrid());
        QVERIFY(policy.applications.isEmpty());

        const Policy missing(dir.filePath(QStringLiteral("policy_404.xml")));
        QVERIFY(!missing.active);
        QCOMPARE(missing.filePath, dir.filePath(QStringLiteral("policy_404.xml")));
    }

    void readingIsLenient()
    {
        QTemporaryDir dir;
        const Policy policy = loadFrom(dir,
            "<Policy>"
            "<Internet><Urls><Item>a.example</Item><Urls>b.example</Urls></Urls>"
            "<ListType>x</ListType><AgeRange> 4 </AgeRange></Internet>"
            "<Status>2</Status><Type>two</Type>"
            "<InternetSchedule>"
            "<DateTime><Time>23</Time><Date>6</Date></DateTime>"
            "<DateTime><Date>7</Date><Time>0</Time></DateTime>"
            "<DateTime><Date>0</Date><Time>24</Time></DateTime>"
            "<DateTime><Date>-1</Date><Time>3</Time></DateTime>"
            "<Whatever><Date>1</Date><Time>9</Time></Whatever>"
            "</InternetSchedule>"
            "<BlockedApplications>"
            "<Application><DesktopFile>/x.desktop</DesktopFile><Name>first</Name></Application>"
            "<Application><DesktopFile>/x.desktop</DesktopFile><Name>second</Name></Application>"
            "</BlockedApplications>"
            "</Policy>");
        // Any child of a list container is one entry, whatever its name.
        QCOMPARE(policy.internet.urls, QStringList({ QStringLiteral("a.example"), QStringLiteral("b.example") }));
        QCOMPARE(policy.internet.listType, 0);
        QCOMPARE(policy.internet.ageRange, 4);
        QVERIFY(policy.active); // "2" is a non-zero integer
        QCOMPARE(policy.type, 0);
        // No ApplicationsSchedule element: every application hour stays restricted.
        QCOMPARE(policy.applicationGrid, WeekGrid());
        WeekGrid expected;
        expected[167] = 0;
        expected[WeekGrid::cellIndex(1, 9)] = 0;
        QCOMPARE(policy.internetGrid, expected);
        QCOMPARE(policy.applications.size(), 1);
        QCOMPARE(policy.applications.first().name, QStringLiteral("second"));
    }

    void statusTextThatIsNoNumberReadsInactive()
    {
        QTemporaryDir dir;
        QVERIFY(!loadFrom(dir, "<Policy><Status>yes</Status></Policy>").active);
        Policy active = loadFrom(dir, "<Policy><Status>2</Status></Policy>");
        active.save();
        QVERIFY(readFileBytes(active.filePath).contains("<Status>1</Status>"));
    }

    void newPolicyLivesInTheStoreOnlyOnceSaved()
    {
        Policy policy(7);
        QCOMPARE(policy.filePath, Paths::path(Paths::PolicyDir) + QStringLiteral("/policy_7.xml"));
        QVERIFY(!QFile::exists(policy.filePath));
        QCOMPARE(policy.applicationGrid, WeekGrid());
        QCOMPARE(policy.internet.listType, 0);
        policy.save();
        QVERIFY(QFile::exists(policy.filePath));
        QFile::remove(policy.filePath);
    }

    void storeListingSortsIgnoringCase()
    {
        const QDir store(PolicyStore::directory());
        for (const QString &name : store.entryList(QDir::Files))
            QFile::remove(store.filePath(name));
        for (const char *name : { "policy_2.xml", "policy_10.xml", "policy_3.xml", "policy_abc.xml", "policy_1.xml.bak",
                 "other.xml", "POLICY_1.xml", "policy_.xml" })
            writeFileBytes(store.filePath(QLatin1String(name)), "<Policy/>");
        // The wildcard matches as the shell would; only the order ignores case.
        QCOMPARE(policyFileNames(),
            QStringList({ QStringLiteral("policy_.xml"), QStringLiteral("policy_10.xml"),
                QStringLiteral("policy_2.xml"), QStringLiteral("policy_3.xml"), QStringLiteral("policy_abc.xml") }));
        QCOMPARE(PolicyStore::pathForName(QStringLiteral("policy_2.xml")),
            Paths::path(Paths::PolicyDir) + QStringLiteral("/policy_2.xml"));
        for (const QString &name : store.entryList(QDir::Files))
            QFile::remove(store.filePath(name));
    }

    void saveIntoAMissingDirectoryReports()
    {
        Policy policy(1);
        policy.filePath = QStringLiteral("/nonexistent-dir/policy_1.xml");
        policy.name = QStringLiteral("kept");
        const QByteArray diagnostics = captureStderr([&] { policy.save(); });
        QCOMPARE(diagnostics, QByteArray("Error opening file: /nonexistent-dir/policy_1.xml\n"));
        QCOMPARE(captureStderr([&] { Policy missing(policy.filePath); }),
            QByteArray("Error opening file: /nonexistent-dir/policy_1.xml\n"));
    }
};

QTEST_GUILESS_MAIN(TestPolicyFile)
#include "test_policyfile.moc"
