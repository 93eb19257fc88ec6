#include "applicationchoice.h"
#include "blockedapplication.h"
#include "commandrunner.h"
#include "editorfixture.h"
#include "listimport.h"
#include "menutree.h"
#include "programlookup.h"
#include "sandboxcheck.h"
#include "setuidstart.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The editor's decisions that need no window: program look-up, which rows may be
// chosen, list import and the menu file.
namespace {

BlockedApplication startedBy(const QString &exec)
{
    BlockedApplication application;
    application.exec = exec;
    return application;
}

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *text : list)
        result.append(QString::fromUtf8(text));
    return result;
}

} // namespace

class TestEditorDecisions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        requireSandbox();
        // which runs with the search path every program of the suite starts with.
        qputenv("PATH", SetuidStart::searchPath);
        EditorFixture::plantProgram(QStringLiteral("/usr/local/bin/shadowed"));
        EditorFixture::plantProgram(QStringLiteral("/usr/bin/shadowed"));
        EditorFixture::plantProgram(QStringLiteral("/usr/bin/kdesu"));
        EditorFixture::plantProgram(QStringLiteral("/usr/local/bin/tuvoratray"));
        if (!QFile::exists(QStringLiteral("/usr/bin/sudo")))
            EditorFixture::plantProgram(QStringLiteral("/usr/bin/sudo"));
        writeFileBytes(QStringLiteral("/usr/local/bin/notrunnable"), "#!/bin/sh\n");
        QDir().mkpath(QStringLiteral("/usr/local/bin/adirectory"));
    }

    void lookUpGivesWhichAnswers_data()
    {
        QTest::addColumn<QString>("exec");
        for (const char *exec :
            { "sh", "ls -l", "firefox %u", "kdesu -c konsole", "shadowed", "notrunnable", "adirectory", "nosuchprogram",
                "/bin/sh", "/usr/bin/nosuchprogram", "/usr/local/bin/notrunnable", "-version", "", " leading-blank" })
            QTest::newRow(exec) << QString::fromLatin1(exec);
    }

    void lookUpGivesWhichAnswers()
    {
        QFETCH(QString, exec);
        QCOMPARE(lookUpProgram(exec), whichProgram(exec.section(QLatin1Char(' '), 0, 0)));
    }

    void lookUpFindsTheFirstDirectoryOfThePath()
    {
        QCOMPARE(lookUpProgram(QStringLiteral("shadowed")), QStringLiteral("/usr/local/bin/shadowed"));
        QCOMPARE(lookUpProgram(QStringLiteral("notrunnable")), QString());
    }

    void privilegeToolsTheTrayAndWhatBlockingRefusesAreNeverChosen()
    {
        for (const char *exec :
            { "kdesu -c konsole", "sudo -i", "tuvoratray", "/usr/local/bin/tuvoratray --now", "sh -c game" }) {
            const ApplicationChoice choice = applicationChoice(startedBy(QString::fromLatin1(exec)));
            QVERIFY2(!choice.allowed, exec);
            QVERIFY2(!choice.reason.isEmpty(), exec);
        }
        // A program that is not found stays selectable.
        for (const char *exec : { "nosuchprogram", "", "/usr/local/bin/kdesu" }) {
            const ApplicationChoice choice = applicationChoice(startedBy(QString::fromLatin1(exec)));
            QVERIFY2(choice.allowed, exec);
            QVERIFY(choice.reason.isEmpty());
        }
    }

    void domainImport_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<int>("alreadyListed");
        QTest::addColumn<QStringList>("refusedLines");
        QTest::newRow("hosts line with several names")
            << QByteArray("0.0.0.0 a.example b.example\n") << texts({ "a.example", "b.example" }) << 0 << QStringList();
        QTest::newRow("IPv6 hosts lines") << QByteArray(":: a.example\n::1 localhost\nfe80::1%eth0 b.example\n")
                                          << texts({ "a.example", "b.example" }) << 0 << texts({ "::1 localhost" });
        QTest::newRow("byte order mark and CRLF") << QByteArray("\xef\xbb\xbf"
                                                                "a.example\r\nb.example\r\n")
                                                  << texts({ "a.example", "b.example" }) << 0 << QStringList();
        QTest::newRow("repeats within the file and already listed")
            << QByteArray("a.example\nwww.a.example\nlisted.example\n") << texts({ "a.example" }) << 2 << QStringList();
        QTest::newRow("two words without an address") << QByteArray("a.example b.example\n#only a comment\n")
                                                      << QStringList() << 0 << texts({ "a.example b.example" });
        QTest::newRow("a whole line refused for one bad name")
            << QByteArray("0.0.0.0 a.example bad_name\n") << QStringList() << 0
            << texts({ "0.0.0.0 a.example bad_name" });
    }

    void domainImport()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, added);
        QFETCH(int, alreadyListed);
        QFETCH(QStringList, refusedLines);
        const ListImport result = importDomains(file, { QStringLiteral("listed.example") });
        QCOMPARE(result.added, added);
        QCOMPARE(result.alreadyListed, alreadyListed);
        QCOMPARE(result.refused, int(refusedLines.size()));
        QCOMPARE(result.firstRefused, refusedLines);
    }

    void onlyTheFirstFewRefusedLinesAreKept()
    {
        QByteArray file;
        for (int i = 0; i < 12; ++i)
            file += "bad line " + QByteArray::number(i) + '\n';
        const ListImport result = importDomains(file, {});
        QCOMPARE(result.refused, 12);
        QCOMPARE(result.firstRefused.size(), ListImport::RefusedLinesKept);
        QCOMPARE(result.firstRefused.first(), QStringLiteral("bad line 0"));
    }

    void menuFoldersWithoutApplicationsAreDropped()
    {
        const QString path = QStringLiteral("/tmp/menu.xml");
        writeFileBytes(path,
            "<Anything><Itens>"
            "<E Type=\"ServiceGroup\"><Name>Outer</Name><Itens>"
            "<E Type=\"ServiceGroup\"><Name>Inner</Name><Itens><E Type=\"Separator\"/></Itens></E>"
            "<E Type=\"ServiceGroup\"><Name>Deep</Name><Itens>"
                + EditorFixture::serviceEntry(QStringLiteral("Chess"), QStringLiteral("Board game"),
                    QStringLiteral("chess"), QStringLiteral("/c.desktop"), QStringLiteral("chess"))
                + "</Itens></E></Itens></E>"
                  "<E Type=\"ServiceGroup\"><Name>Gone</Name></E>"
                  "</Itens></Anything>");
        const QList<MenuRow> rows = readMenuFile(path);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().children.size(), 1);
        const MenuRow &deep = rows.first().children.first();
        QCOMPARE(deep.text, QStringLiteral("Deep"));
        QCOMPARE(deep.children.first().text, QStringLiteral("Chess (Board game)"));
        QCOMPARE(deep.children.first().application.desktopFile, QStringLiteral("/c.desktop"));
        QCOMPARE(deep.children.first().application.icon, QStringLiteral("chess"));

        writeFileBytes(path, "<Menu><Itens><E Type=\"Service\">");
        QVERIFY(readMenuFile(path).isEmpty());
    }
};

QTEST_MAIN(TestEditorDecisions)
#include "test_editordecisions.moc"
