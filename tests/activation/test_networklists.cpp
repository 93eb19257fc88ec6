#include "commandrecorder.h"
#include "networklists.h"
#include "paths.h"
#include "policy.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Lists = Paths::path(Paths::PublishedListsDir);

QString listFile(const char *name)
{
    return Lists + QLatin1Char('/') + QLatin1String(name);
}

bool isDateStamp(const QByteArray &content)
{
    // One line of date output, such as "Mon Dec  7 09:30:00 UTC 2026".
    return content.endsWith('\n') && content.count('\n') == 1 && content.size() > 20;
}

} // namespace

class TestNetworkLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        QDir(Lists).removeRecursively();
        QDir().mkpath(Lists);
        for (const char *name : { "school.xml", "parent.xml" })
            writeFileBytes(listFile(name), {});
        for (const char *name : { "schoolpv", "parentpv" })
            writeFileBytes(listFile(name), "old\n");
    }

    void networkPolicyIsPublishedAsSchoolListAndWithdrawn()
    {
        Policy policy(5);
        policy.type = Policy::Network;
        policy.name = QStringLiteral("Exams");
        policy.save();
        const QByteArray savedInactive = readFileBytes(policy.filePath);

        CommandRecorder recorder;
        publishNetworkPolicy(policy);
        QCOMPARE(recorder.commands(),
            QStringList({ QStringLiteral("cp /etc/tuvora/lists/policy_5.xml /opt/tuvorass/lists/school.xml"),
                QStringLiteral("echo `date` > /opt/tuvorass/lists/schoolpv") }));
        QVERIFY(policy.active);
        // The copy is taken before the save, so it still says Status 0.
        QCOMPARE(readFileBytes(listFile("school.xml")), savedInactive);
        QVERIFY(isDateStamp(readFileBytes(listFile("schoolpv"))));
        QVERIFY(Policy(policy.filePath).active);

        writeFileBytes(listFile("schoolpv"), "old\n");
        recorder.clear();
        publishNetworkPolicy(policy);
        QCOMPARE(recorder.commands(),
            QStringList({ QStringLiteral("rm -f /opt/tuvorass/lists/school.xml"),
                QStringLiteral("touch /opt/tuvorass/lists/school.xml"),
                QStringLiteral("echo `date` > /opt/tuvorass/lists/schoolpv") }));
        QVERIFY(!policy.active);
        QVERIFY(QFile::exists(listFile("school.xml")));
        QCOMPARE(readFileBytes(listFile("school.xml")), QByteArray());
        QVERIFY(isDateStamp(readFileBytes(listFile("schoolpv"))));
        QCOMPARE(readFileBytes(listFile("parentpv")), QByteArray("old\n"));
        QVERIFY(!Policy(policy.filePath).active);
    }

    // A list folder that cannot take the file: no new stamp for the clients to follow,
    // the policy keeps its state, and the caller hears of the failure.
    void aListThatCannotBeWrittenIsNoPublication()
    {
        Policy policy(5);
        policy.type = Policy::Network;
        policy.save();
        QVERIFY(QDir(Lists).removeRecursively());
        QVERIFY(writeFileBytes(Lists, "not a folder\n"));

        QVERIFY(!publishNetworkPolicy(policy));
        QVERIFY(!policy.active);
        QVERIFY(!Policy(policy.filePath).active);

        QVERIFY(QFile::remove(Lists));
        QVERIFY(QDir().mkpath(Lists));
        QVERIFY(writeFileBytes(listFile("schoolpv"), "old\n"));
        QVERIFY(publishNetworkPolicy(policy));
        QVERIFY(isDateStamp(readFileBytes(listFile("schoolpv"))));

        // Withdrawing from a list that cannot be emptied keeps the policy published.
        QVERIFY(writeFileBytes(listFile("schoolpv"), "old\n"));
        QVERIFY(QFile::remove(listFile("school.xml")));
        QVERIFY(QDir().mkpath(listFile("school.xml") + QLatin1String("/kept")));
        QVERIFY(!publishNetworkPolicy(policy));
        QVERIFY(policy.active);
        QVERIFY(Policy(policy.filePath).active);
        QCOMPARE(readFileBytes(listFile("schoolpv")), QByteArray("old\n"));
        QVERIFY(QDir(listFile("school.xml")).removeRecursively());
    }

    void serverPolicyGoesToTheParentListOnly()
    {
        Policy policy(6);
        policy.type = Policy::ServerDefinedLocal;
        policy.save();
        publishNetworkPolicy(policy);
        QCOMPARE(
            readFileBytes(listFile("parent.xml")), readFileBytes(policy.filePath).replace("<Status>1<", "<Status>0<"));
        publishNetworkPolicy(policy);
        QCOMPARE(readFileBytes(listFile("parent.xml")), QByteArray());
        QVERIFY(isDateStamp(readFileBytes(listFile("parentpv"))));
        QCOMPARE(readFileBytes(listFile("schoolpv")), QByteArray("old\n"));
    }

    void localPolicyIsOnlyFlippedAndSaved()
    {
        Policy policy(7);
        CommandRecorder recorder;
        publishNetworkPolicy(policy);
        QVERIFY(recorder.commands().isEmpty());
        QVERIFY(Policy(policy.filePath).active);
        for (const char *name : { "school.xml", "parent.xml" })
            QCOMPARE(readFileBytes(listFile(name)), QByteArray());
    }

    void policyPathWithShellCharactersIsCopiedAsOnePath()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("my lists;$(touch pwned)`touch pwned2`'"));
        QDir().mkpath(folder);
        QDir::setCurrent(dir.path());
        Policy policy(1);
        policy.filePath = folder + QLatin1String("/policy 1.xml");
        policy.type = Policy::Network;
        policy.save();
        publishNetworkPolicy(policy);
        QCOMPARE(
            readFileBytes(listFile("school.xml")), readFileBytes(policy.filePath).replace("<Status>1<", "<Status>0<"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList({ QFileInfo(folder).fileName() }));
    }
};

QTEST_GUILESS_MAIN(TestNetworkLists)
#include "test_networklists.moc"
