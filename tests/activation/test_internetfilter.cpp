#include "activationfixture.h"
#include "commandrecorder.h"
#include "internetfilter.h"
#include "paths.h"
#include "phrasevariants.h"
#include "policy.h"
#include "sandboxcheck.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace Fixture;

namespace {

const QString SiteList = Paths::path(Paths::SiteList);
const QString PhraseList = Paths::path(Paths::PhraseList);
const QString SiteVariants = Paths::path(Paths::SiteVariants);
const QString PhraseVariantList = Paths::path(Paths::PhraseVariants);
const QString WhiteList = Paths::path(Paths::SquidWhiteList);
const QString SquidConf = Paths::path(Paths::SquidConf);
const QString FilterConf = Paths::path(Paths::FilterGroupConf);

// The documented command lines, as they stand.

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
        clearFirewallCalls();
    }

    void blackListBansTheSitesAndWords()
    {
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(0), true));

        QCOMPARE(withoutFilterStateRules(recorder.commands()),
            (QStringList {
                 QStringLiteral(
                     R"(sed -i "s/^bannedsitelist = '\/etc\/dansguardian\/emptylist'/bannedsitelist = '\/etc\/dansguardian\/sitelist'/g" /etc/dansguardian/dansguardianf1.conf)"),
                 NaughtynessLimit, SafePortsOn, WhiteListOff }
                + Reloads));
        QCOMPARE(readFileBytes(SiteList), QByteArray("games.example\ndup.example\ndup.example\n"));
        QCOMPARE(readFileBytes(PhraseList), QByteArray("<poker><10>\n<ma\xc3\xa7\xc3\xa3><10>\n"));
        QVERIFY(QFile::exists(WhiteList));
        QCOMPARE(readFileBytes(WhiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false, true));
        QCOMPARE(readFileBytes(FilterConf), filterConf(false, "1"));
        QCOMPARE(initScriptCalls(), Reloads);
        // QUIC is refused; other ports stay open, and IPv6 has nothing of a black list's.
        const QString firewall = firewallCalls();
        QVERIFY(firewall.contains(QLatin1String("-A tuvora-rules -p udp -m udp --dport 443 -j REJECT")));
        QVERIFY(!firewall.contains(QLatin1String("--dports")));
        QVERIFY(firewall.contains(QLatin1String("ip6tables -F tuvora-rules6")));
        QVERIFY(!firewall.contains(QLatin1String("-A tuvora-rules6")));
    }

    void whiteListLetsOnlyItsDomainsThrough()
    {
        writeFilterConfiguration(false);
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(2), true));

        // Squid closes before the content filter lets go of its site list.
        QCOMPARE(withoutFilterStateRules(recorder.commands()),
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
        QCOMPARE(readFileBytes(SquidConf), squidConf(true, true));
        QCOMPARE(readFileBytes(FilterConf), filterConf(true, "1"));
        const QString firewall = firewallCalls();
        QVERIFY(firewall.contains(QLatin1String("-A tuvora-rules -p tcp -m tcp --syn -m multiport ! --dports 53,80,443 "
                                                "-j REJECT --reject-with tcp-reset")));
        QVERIFY(firewall.contains(
            QLatin1String("-A tuvora-rules6 -p tcp -m tcp --syn ! --dport 53 -j REJECT --reject-with tcp-reset")));
        // The proxy and the private addresses come first.
        QVERIFY(firewall.indexOf(QLatin1String("-A tuvora-rules6 -d fc00::/7 -j RETURN"))
            < firewall.indexOf(QLatin1String("-A tuvora-rules6 -p tcp")));
        QVERIFY(firewall.indexOf(QLatin1String("-A tuvora-rules -m owner --uid-owner proxy -j RETURN"))
            < firewall.indexOf(QLatin1String("-A tuvora-rules -p tcp")));
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

        QCOMPARE(withoutFilterStateRules(recorder.commands()), (QStringList { SafePortsOn, WhiteListOff } + Reloads));
        QCOMPARE(firewallCalls(), QStringLiteral("iptables -F tuvora-rules\nip6tables -F tuvora-rules6\n"));
        QCOMPARE(readFileBytes(SiteList), QByteArray());
        QCOMPARE(readFileBytes(PhraseList), QByteArray());
        QCOMPARE(readFileBytes(WhiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false));
        // The banned-site line stays; the emptied list bans nothing.
        QCOMPARE(readFileBytes(FilterConf), filterConf(true));
    }

    void freeOfControlEmptiesTheListsAndLeavesSquidOpenWithoutReloads()
    {
        // A white list in force when the control mode changes: with its list emptied,
        // squid would keep every site out at its next start.
        writeFilterConfiguration(true);
        writeConfiguration(0);
        CommandRecorder recorder;
        QVERIFY(applyInternetRules(filterPolicy(1), true));
        QCOMPARE(withoutFilterStateRules(recorder.commands()), (QStringList { SafePortsOn, WhiteListOff }));
        QCOMPARE(readFileBytes(SiteList), QByteArray());
        QCOMPARE(readFileBytes(WhiteList), QByteArray());
        QCOMPARE(readFileBytes(SquidConf), squidConf(false));
        QCOMPARE(readFileBytes(FilterConf), filterConf(true));
        QCOMPARE(initScriptCalls(), QStringList());
        QCOMPARE(firewallCalls(), QStringLiteral("iptables -F tuvora-rules\nip6tables -F tuvora-rules6\n"));
    }

    void bannedSitesAreListedWithAndWithoutATrailingDot()
    {
        Policy policy = filterPolicy(0);
        policy.internet.urls = { QStringLiteral("games.example"), QStringLiteral("dotted.example."),
            QStringLiteral("site.example/path"), QStringLiteral("two\nlines") };
        captureStderr([&] { applyInternetRules(policy, true); });
        QCOMPARE(readFileBytes(SiteVariants), QByteArray("games.example.\ndotted.example\n"));

        applyInternetRules(policy, false);
        QCOMPARE(readFileBytes(SiteVariants), QByteArray());
    }

    void bannedWordsAreListedInTheFormsPagesGiveThem()
    {
        Policy policy = filterPolicy(0);
        policy.internet.content = { QStringLiteral("maçã"), QStringLiteral("Jogo-Online"), QStringLiteral("a<b") };
        QFile::remove(PhraseVariantList);
        const mode_t oldMask = ::umask(077);
        captureStderr([&] { applyInternetRules(policy, true); });
        ::umask(oldMask);

        // As the filter sees pages: lower-cased byte by byte as if Latin-1, ASCII
        // punctuation turned into spaces.
        const QList<QByteArray> lines = readFileBytes(PhraseVariantList).split('\n');
        for (const QByteArray &form : { QByteArray("ma\xe3\xa7\xe3\xa3"), // UTF-8
                 QByteArray("ma\xe3\x87\xe3\x83"), // UTF-8, capitals
                 QByteArray("ma\xe3\xa7\xe3\x83"), // UTF-8, one capital
                 QByteArray("ma\xe7\xe3"), // Latin-1, any case
                 QByteArray("ma 231 227"), QByteArray("ma 199 195"), QByteArray("ma xe7 xe3"), // references
                 QByteArray("ma ccedil atilde"), QByteArray("ma u00e7 u00e3"), QByteArray("jogo online") })
            QVERIFY2(lines.contains('<' + form + "><10>"), form.constData());
        QVERIFY(!readFileBytes(PhraseVariantList).contains("a<b"));
        QCOMPARE(QFileInfo(PhraseVariantList).permissions() & QFile::ReadOther, QFile::ReadOther);

        applyInternetRules(policy, false);
        QCOMPARE(readFileBytes(PhraseVariantList), QByteArray());
    }

    void wordsWithManyAccentsGetABoundedNumberOfForms()
    {
        const QString word = QStringLiteral("àéîõüçãêíóú");
        const QList<QByteArray> variants = phraseVariants(word);
        QVERIFY(variants.size() < 40);
        // Still there: all capitals and all small letters in UTF-8 (the filter turns the
        // lead byte 0xc3 into 0xe3), and Latin-1.
        QVERIFY(variants.contains(word.toUpper().toUtf8().replace('\xc3', '\xe3')));
        QVERIFY(variants.contains(word.toUtf8().replace('\xc3', '\xe3')));
        QVERIFY(variants.contains(word.toLatin1()));
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
        const QString oldSed = Paths::path(Paths::SquidDir) + QLatin1String("/sedAbCdEf");
        const QString freshSed = Paths::path(Paths::SquidDir) + QLatin1String("/sedGhIjKl");
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
