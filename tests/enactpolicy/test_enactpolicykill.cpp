#include "activationfixture.h"
#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Fixture;

// cron's enactpolicy killed (kill -9) at random moments while it puts a policy of
// 100,000 domains into force: whatever the moment, the filter's lists hold the policy's
// rules as long as the policy is recorded active, and the next run cleans up after it.
namespace {

const QString SiteList = Paths::path(Paths::SiteList);
const QString PhraseList = Paths::path(Paths::PhraseList);

QStringList numbered(const char *pattern, int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(QString::fromLatin1(pattern).arg(i));
    return list;
}

QByteArray lines(const QStringList &entries, const char *before, const char *after)
{
    QByteArray text;
    for (const QString &entry : entries)
        text += before + entry.toUtf8() + after + '\n';
    return text;
}

} // namespace

class TestEnactPolicyKill : public QObject
{
    Q_OBJECT

    QString m_policyFile;
    QByteArray m_sites;
    QByteArray m_phrases;
    qint64 m_runMilliseconds = 0;

    QProcess *start()
    {
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process->start(QStringLiteral(ENACTPOLICY_PATH), { QStringLiteral("x") });
        return process;
    }

private slots:
    void initTestCase()
    {
        requireSandbox();
        if (!rootOwnsTheFolders())
            QSKIP("needs the machine's root: root owns no folder here (a user namespace), so the activation refuses "
                  "its state folder");
        installGate();
        writeFilterConfiguration();
        writeConfiguration(1);
        QDir().mkpath(PolicyStore::directory());

        Policy policy(1);
        policy.name = QStringLiteral("Many sites");
        policy.internet.urls = numbered("site%1.example", 100000);
        policy.internet.content = numbered("word%1", 1000);
        policy.internetGrid.fill(1);
        policy.applicationGrid.fill(0);
        policy.active = true;
        QVERIFY(policy.save());
        m_policyFile = policy.filePath;
        m_sites = lines(policy.internet.urls, "", "");
        m_phrases = lines(policy.internet.content, "<", "><10>");

        QElapsedTimer timer;
        timer.start();
        QProcess *first = start();
        QVERIFY(first->waitForFinished(60000));
        m_runMilliseconds = timer.elapsed();
        QCOMPARE(first->exitCode(), 0);
        QCOMPARE(readFileBytes(SiteList), m_sites);
        qInfo("one run takes %lld ms", m_runMilliseconds);
    }

    void killedAtAnyMomentTheListsStayInForce()
    {
        auto *random = QRandomGenerator::global();
        for (int run = 0; run < 40; ++run) {
            const int delay = random->bounded(int(m_runMilliseconds) + 1);
            QProcess *process = start();
            QVERIFY(process->waitForStarted());
            QTest::qSleep(delay);
            process->kill();
            QVERIFY(process->waitForFinished(10000));
            delete process;

            const QByteArray context
                = "run " + QByteArray::number(run) + ", killed after " + QByteArray::number(delay) + " ms";
            const Policy recorded(m_policyFile);
            QVERIFY2(recorded.name == QLatin1String("Many sites") && recorded.active, context.constData());
            QVERIFY2(readFileBytes(SiteList) == m_sites, context.constData());
            QVERIFY2(readFileBytes(PhraseList) == m_phrases, context.constData());
        }
    }

    void theNextRunCleansUp()
    {
        // A policy file's temporary is left to age first: the administration program
        // may be saving the same file at this moment.
        const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-120);
        const QDir store(PolicyStore::directory());
        for (const QString &name : store.entryList({ QStringLiteral("policy_1.xml.*") }, QDir::Files)) {
            QFile file(store.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        QProcess *process = start();
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitCode(), 0);
        for (const char *folder : { Paths::FilterDir, Paths::SquidDir, Paths::PolicyDir, Paths::StateDir }) {
            const QStringList left = QDir(QLatin1String(folder))
                                         .entryList({ QStringLiteral("*.??????") }, QDir::Files | QDir::Hidden)
                                         .filter(QRegularExpression(QStringLiteral("\\.[A-Za-z0-9]{6}$")));
            const QStringList temporaries = left.filter(
                QRegularExpression(QStringLiteral("^(sitelist|weightedphraselist|whitelist|policy_1\\.xml|"
                                                  "crontab\\.policy)\\.[A-Za-z0-9]{6}$")));
            QVERIFY2(temporaries.isEmpty(), qPrintable(temporaries.join(QLatin1Char(' '))));
        }
        QCOMPARE(readFileBytes(SiteList), m_sites);
    }
};

QTEST_GUILESS_MAIN(TestEnactPolicyKill)
#include "test_enactpolicykill.moc"
