#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "stderrcapture.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

const QString SmallDisk = Paths::path(Paths::PolicyDir);

Policy bigPolicy(const QString &path)
{
    Policy policy(1);
    policy.filePath = path;
    policy.name = QStringLiteral("big");
    for (int i = 0; i < 20000; ++i)
        policy.internet.urls.append(QStringLiteral("site%1.example").arg(i));
    return policy;
}

} // namespace

class TestAtomicSave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        // A 64 KiB file system in place of the store: a big save cannot fit.
        if (::mount("tuvora-small", QFile::encodeName(SmallDisk).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
            QSKIP("cannot mount a tmpfs here");
    }

    void cleanupTestCase() { ::umount(QFile::encodeName(SmallDisk).constData()); }

    void fullDiskKeepsTheOldPolicy()
    {
        const QString path = SmallDisk + QLatin1String("/policy_1.xml");
        Policy small(1);
        small.name = QStringLiteral("small");
        small.save();
        const QByteArray before = readFileBytes(path);
        QVERIFY(before.contains("<Name>small</Name>"));

        const QByteArray diagnostics = captureStderr([&] { bigPolicy(path).save(); });
        QCOMPARE(diagnostics, QByteArray("Error opening file: /etc/tuvora/lists/policy_1.xml\n"));
        QCOMPARE(readFileBytes(path), before);
        // No temporary file is left behind to fill the store.
        QCOMPARE(
            QDir(SmallDisk).entryList(QDir::Files | QDir::Hidden), QStringList({ QStringLiteral("policy_1.xml") }));
        QCOMPARE(Policy(path).name, QStringLiteral("small"));
    }

    void fullDiskKeepsTheOldConfiguration()
    {
        // The configuration lives elsewhere; point a policy-sized write at the small
        // disk through a link so the same failure hits the configuration writer.
        const QString config = PolicyConfig::filePath();
        const QString moved = SmallDisk + QLatin1String("/policyConfig.xml");
        QFile::remove(moved);
        QVERIFY(QFile::copy(config, moved));
        QVERIFY(QFile::rename(config, config + QLatin1String(".host")));
        QVERIFY(QFile::link(moved, config));
        const QByteArray before = readFileBytes(moved);

        QString huge(70 * 1024, QLatin1Char('x'));
        const QByteArray diagnostics = captureStderr([&] { writePassword(huge); });
        QVERIFY(diagnostics.startsWith("Error opening file: "));
        QCOMPARE(readFileBytes(moved), before);
        // The link is still a link: the file behind it was rewritten, not replaced by a copy.
        writeLanguage(QStringLiteral("pt_BR"));
        QVERIFY(QFileInfo(config).isSymLink());
        QCOMPARE(readLanguage(), QStringLiteral("pt_BR"));

        QFile::remove(config);
        QFile::rename(config + QLatin1String(".host"), config);
        QFile::remove(moved);
    }

    void newFilesGetTheirModes()
    {
        const QString path = SmallDisk + QLatin1String("/policy_2.xml");
        QFile::remove(path);
        Policy(2).save();
        struct stat info
        {
        };
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0644));
        QFile::remove(path);
    }
};

QTEST_GUILESS_MAIN(TestAtomicSave)
#include "test_atomicsave.moc"
