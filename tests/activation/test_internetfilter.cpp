#include "activationfixture.h"
#include "commandrecorder.h"
#include "internetfilter.h"
#include "policy.h"
#include "sandboxcheck.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace Fixture;

namespace {

const QString SiteList = QStringLiteral("/etc/dansguardian/sitelist");
const QString PhraseList = QStringLiteral("/etc/dansguardian/weightedphraselist");
const QString WhiteList = QStringLiteral("/etc/squid/whitelist");
const QString SquidConf = QStringLiteral("/etc/squid/squid.conf");
const QString FilterConf = QStringLiteral("/etc/dansguardian/dansguardianf1.conf");

const QString SafePortsOn = QStringLiteral(
    R"(sed -i "s/^#http_access allow Safe_ports/http_access allow Safe_ports/g" /etc/squid/squid.conf)");
const QString WhiteListOff
    = QStringLiteral(R"(sed -i "s/^http_access allow whitelist/#http_access allow whitelist/g" /etc/squid/squid.conf)");
const QString NaughtynessLimit = QStringLiteral(
    R"(sed -i "s/^naughtynesslimit =.*/naughtynesslimit = 1/g" /etc/dansguardian/dansguardianf1.conf)");
const QStringList Reloads
    = { QStringLiteral("/etc/init.d/squid reload"), QStringLiteral("/etc/init.d/dansguardian restart") };

Policy filterPolicy(int listType)
{
    Policy policy(1);
    policy.internet.listType = listType;
    policy.internet.ageRange = 3;
    policy.internet.urls
        = { QStringLiteral("games.example"), QStringLiteral("dup.example"), QStringLiteral("dup.example") };
    policy.internet.urlsWhite = { QStringLiteral("example.org"), QStringLiteral("escola.example") };
    policy.internet.content = { QStringLiteral("poker"), QStringLiteral("maçã") };
    return policy;
}

} // namespace

class TestInternetFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        writeFilterConfiguration();
        writeConfiguration(1);
        clearInitScriptCalls();
    }

    void blackListBansTheSitesAndWords()
    {
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(0), true));

        QCOMPARE(recorder.commands(),
            (QStringList {
                 QStringLiteral(
                     R"(sed -i "s/^bannedsitelist = '\/etc\/dansguardian\/emptylist'/bannedsitelist = '\/etc\/dansguardian\/sitelist'/g" /etc/dansguardian/dansguardianf1.conf)"),
                 NaughtynessLimit, SafePortsOn, WhiteListOff }
                + Reloads));
        QCOMPARE(readFileBytes(SiteList), QByteArray("games.example\ndup.example\ndup.example\n"));
        QCOMPARE(readFileBytes(PhraseList), QByteArray("<poker><10>\n<ma\xc3\xa7\xc3\xa3><10>\n"));
        QVERIFY(QFile::exists(WhiteList));
        QCOMPARE(readFileBytes(WhiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false));
        QCOMPARE(readFileBytes(FilterConf), filterConf(false, "1"));
        QCOMPARE(initScriptCalls(), Reloads);
    }

    void whiteListLetsOnlyItsDomainsThrough()
    {
        writeFilterConfiguration(false);
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(2), true));

        // Squid closes before the content filter lets go of its site list.
        QCOMPARE(recorder.commands(),
            (QStringList {
                 QStringLiteral(
                     R"(sed -i "s/^http_access allow Safe_ports/#http_access allow Safe_ports/g" /etc/squid/squid.conf)"),
                 QStringLiteral(
                     R"(sed -i "s/^#http_access allow whitelist/http_access allow whitelist/g" /etc/squid/squid.conf)"),
                 QStringLiteral(
                     R"(sed -i "s/^bannedsitelist = '\/etc\/dansguardian\/sitelist'/bannedsitelist = '\/etc\/dansguardian\/emptylist'/g" /etc/dansguardian/dansguardianf1.conf)"),
                 NaughtynessLimit }
                + Reloads));
        QCOMPARE(readFileBytes(WhiteList), QByteArray(".example.org\n.escola.example\n"));
        QCOMPARE(readFileBytes(SiteList), QByteArray());
        QCOMPARE(readFileBytes(PhraseList), QByteArray("<poker><10>\n<ma\xc3\xa7\xc3\xa3><10>\n"));
        QCOMPARE(readFileBytes(SquidConf), squidConf(true));
        QCOMPARE(readFileBytes(FilterConf), filterConf(true, "1"));
    }

    void whiteListWithoutDomainsLeavesNoDomainList()
    {
        Policy policy = filterPolicy(1);
        policy.internet.urlsWhite.clear();
        applyInternetRules(policy, true);
        QVERIFY(!QFile::exists(WhiteList));
    }

    void filterIsOpenWhenTheHourIsFreeOrThePolicyIsSwitchedOff_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("restrictNow");
        QTest::newRow("free hour") << false << false;
        QTest::newRow("switching off") << true << true;
    }

    void filterIsOpenWhenTheHourIsFreeOrThePolicyIsSwitchedOff()
    {
        QFETCH(bool, active);
        QFETCH(bool, restrictNow);
        writeFilterConfiguration(true);
        Policy policy = filterPolicy(1);
        policy.active = active;
        CommandRecorder recorder;
        applyInternetRules(policy, restrictNow);

        QCOMPARE(recorder.commands(), (QStringList { SafePortsOn, WhiteListOff } + Reloads));
        QCOMPARE(readFileBytes(SiteList), QByteArray());
        QCOMPARE(readFileBytes(PhraseList), QByteArray());
        QCOMPARE(readFileBytes(WhiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false));
        // The banned-site line stays; the emptied list bans nothing.
        QCOMPARE(readFileBytes(FilterConf), filterConf(true));
    }

    void freeOfControlOnlyEmptiesTheLists()
    {
        writeConfiguration(0);
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(0), true));
        QCOMPARE(recorder.commands(), QStringList());
        QCOMPARE(readFileBytes(SiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false));
        QCOMPARE(readFileBytes(FilterConf), filterConf(false));
        QCOMPARE(initScriptCalls(), QStringList());
    }

    void aStepThatFailsLeavesTheRulesInForce_data()
    {
        QTest::addColumn<int>("listType");
        QTest::addColumn<QString>("broken");
        QTest::newRow("site list cannot be replaced") << 0 << SiteList;
        QTest::newRow("squid.conf cannot be edited") << 1 << SquidConf;
    }

    void aStepThatFailsLeavesTheRulesInForce()
    {
        QFETCH(int, listType);
        QFETCH(QString, broken);
        QFile::remove(broken);
        QVERIFY(QDir().mkpath(broken)); // a folder where the file was: neither a write nor sed can replace it
        bool applied = true;
        const QByteArray errors = captureStderr([&] { applied = applyInternetRules(filterPolicy(listType), true); });
        QDir(broken).removeRecursively();

        QVERIFY(!applied);
        QVERIFY2(errors.contains("squid and the content filter keep the rules in force"), errors.constData());
        QCOMPARE(initScriptCalls(), QStringList());
        QCOMPARE(readFileBytes(FilterConf), filterConf(false));
        if (broken != SiteList)
            QCOMPARE(readFileBytes(SiteList), QByteArray("old.example\n"));
    }

    void leftoversOfAnInterruptedRunAreCleanedUp()
    {
        const QStringList ours = { SiteList + QLatin1String(".aB3dE9"), WhiteList + QLatin1String(".Zz0000") };
        const QString oldSed = QStringLiteral("/etc/squid/sedAbCdEf");
        const QString freshSed = QStringLiteral("/etc/squid/sedGhIjKl");
        const QString notOurs = SiteList + QLatin1String(".keep-me");
        for (const QString &file : ours + QStringList { oldSed, freshSed, notOurs })
            QVERIFY(writeFileBytes(file, "left over\n"));
        const QDateTime twoMinutesAgo = QDateTime::currentDateTime().addSecs(-120);
        QFile old(oldSed);
        QVERIFY(old.open(QIODevice::ReadWrite) && old.setFileTime(twoMinutesAgo, QFileDevice::FileModificationTime));
        old.close();

        QVERIFY(applyInternetRules(filterPolicy(0), true));
        for (const QString &file : ours + QStringList { oldSed })
            QVERIFY2(!QFile::exists(file), qPrintable(file));
        // A sed of someone else's may still be writing a fresh one.
        QVERIFY(QFile::exists(freshSed));
        QVERIFY(QFile::exists(notOurs));
        QFile::remove(freshSed);
        QFile::remove(notOurs);
    }

    void hostileEntriesAreWrittenAsDataOrLeftOut()
    {
        const QStringList hostile = {
            QStringLiteral("\"; touch /tmp/pwned; \""),
            QStringLiteral("$(touch /tmp/pwned)"),
            QStringLiteral("`touch /tmp/pwned`"),
            QStringLiteral("-n"),
            QStringLiteral("a b"),
            QStringLiteral("back\\nslash"),
            QStringLiteral("two\nlines"),
        };
        QByteArray asData;
        for (const QString &entry : hostile.first(6))
            asData += entry.toUtf8() + '\n';

        for (int listType : { 0, 1 }) {
            Policy policy(1);
            policy.internet.listType = listType;
            policy.internet.urls = hostile;
            policy.internet.urlsWhite = hostile;
            policy.internet.content = hostile + QStringList { QStringLiteral("x><100") };
            const QString text = QString::fromUtf8(captureStderr([&] { applyInternetRules(policy, true); }));

            QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
            if (listType == 0) {
                QCOMPARE(readFileBytes(SiteList), asData);
            } else {
                QByteArray dotted;
                for (const QString &entry : hostile.first(6))
                    dotted += '.' + entry.toUtf8() + '\n';
                QCOMPARE(readFileBytes(WhiteList), dotted);
            }
            QByteArray phrases;
            for (const QString &entry : hostile.first(6))
                phrases += '<' + entry.toUtf8() + "><10>\n";
            QCOMPARE(readFileBytes(PhraseList), phrases);
            QCOMPARE(text.count(QLatin1Char('\n')), 3);
            QVERIFY(text.contains(QLatin1String("two%0Alines")));
            QVERIFY(text.contains(QLatin1String("x><100")));
        }
    }
};

QTEST_GUILESS_MAIN(TestInternetFilter)
#include "test_internetfilter.moc"
