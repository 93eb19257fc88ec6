#include "folder.h"
#include "folderlistitem.h"
#include "helpbrowser.h"
#include "helpdlg.h"
#include "helpicons.h"
#include "helpopener.h"
#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString docRoot = Paths::path(Paths::HelpDir) + QLatin1Char('/');
const QString firefoxStub = QStringLiteral("/usr/local/bin/firefox");
const QString firefoxLog = QStringLiteral("/tmp/firefox.log");

void writeText(const QString &path, const QString &text)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QVERIFY(writeFileBytes(path, text.toUtf8()));
}

void installLanguages(const QStringList &codes, const QStringList &pages)
{
    QDir(docRoot).removeRecursively();
    QDir().mkpath(docRoot);
    for (const QString &code : codes) {
        writeText(docRoot + code + QStringLiteral("/TUHelp.xml"),
            QStringLiteral("<conteudo><topico nome=\"%1\" arquivo=\"x.html\"/></conteudo>").arg(code));
        for (const QString &page : pages)
            writeText(docRoot + code + QLatin1Char('/') + page, QStringLiteral("<p>%1 %2</p>").arg(code, page));
    }
}

qint64 iconKey(QTreeWidgetItem *row)
{
    return row->icon(0).isNull() ? 0 : row->icon(0).cacheKey();
}

// Clicks on the first character of the given text in the pane.
void clickOnText(HelpBrowser *browser, const QString &text)
{
    const QTextCursor found = browser->document()->find(text);
    QVERIFY(!found.isNull());
    QTextCursor at(browser->document());
    at.setPosition(found.selectionStart() + 1);
    const QRect rect = browser->cursorRect(at);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, QPoint(rect.left() - 2, rect.center().y()));
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        QFile::remove(firefoxLog);
        QFile::remove(firefoxStub);
    }

    void indexThreeLevelsDeepGivesRowsWithTheRightIcons()
    {
        QDir().mkpath(QStringLiteral("/tmp/help"));
        writeText(QStringLiteral("/tmp/help/TUHelp.xml"), QStringLiteral(R"(<!DOCTYPE conteudo>
<conteudo>
  <topico nome="Start" arquivo="start.html"/>
  some text that is not a topic
  <topico nome="Policies" arquivo="policies.html">
    <capitulo nome="Editor" arquivo="editor.html">
      <secao nome="Schedules" arquivo="schedules.html"/>
    </capitulo>
    <topico nome="List"/>
  </topico>
</conteudo>)"));
        HelpDlg viewer(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/TUHelp.xml"));
        QTreeWidget *tree = viewer.topicTree();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem *start = tree->topLevelItem(0);
        QTreeWidgetItem *policies = tree->topLevelItem(1);
        QCOMPARE(start->text(0), QStringLiteral("Start"));
        QCOMPARE(policies->childCount(), 2);
        QTreeWidgetItem *editor = policies->child(0);
        QTreeWidgetItem *list = policies->child(1);
        QCOMPARE(editor->text(0), QStringLiteral("Editor"));
        QCOMPARE(list->text(0), QStringLiteral("List"));
        QCOMPARE(editor->childCount(), 1);
        QTreeWidgetItem *schedules = editor->child(0);
        QCOMPARE(schedules->text(0), QStringLiteral("Schedules"));

        QCOMPARE(iconKey(start), 0);
        QCOMPARE(iconKey(policies), HelpIcons::closedFolder().cacheKey());
        QCOMPARE(iconKey(editor), HelpIcons::closedFolder().cacheKey());
        QCOMPARE(iconKey(schedules), HelpIcons::document().cacheKey());
        QCOMPARE(iconKey(list), HelpIcons::document().cacheKey());

        tree->expandItem(policies);
        tree->expandItem(editor);
        QCOMPARE(iconKey(policies), HelpIcons::openFolder().cacheKey());
        QCOMPARE(iconKey(editor), HelpIcons::openFolder().cacheKey());
        tree->collapseItem(editor);
        QCOMPARE(iconKey(editor), HelpIcons::closedFolder().cacheKey());
        QCOMPARE(iconKey(policies), HelpIcons::openFolder().cacheKey());
        // Expanding a whole branch leaves pages and childless topics as they were.
        tree->expandAll();
        QCOMPARE(iconKey(start), 0);
        QCOMPARE(iconKey(schedules), HelpIcons::document().cacheKey());
        QCOMPARE(iconKey(list), HelpIcons::document().cacheKey());
        QCOMPARE(iconKey(editor), HelpIcons::openFolder().cacheKey());
        tree->collapseAll();
        QCOMPARE(iconKey(schedules), HelpIcons::document().cacheKey());
        QCOMPARE(iconKey(policies), HelpIcons::closedFolder().cacheKey());

        // The topics keep their parents and their order.
        Folder *schedulesTopic = static_cast<FolderListItem *>(schedules)->folder();
        QCOMPARE(schedulesTopic->fileName(), QStringLiteral("schedules.html"));
        QCOMPARE(schedulesTopic->parentFolder()->title(), QStringLiteral("Editor"));
        QCOMPARE(schedulesTopic->parentFolder()->parentFolder(), viewer.folders().at(1));
        QCOMPARE(static_cast<FolderListItem *>(list)->folder()->fileName(), QString());
    }

    void selectingATopicShowsItsPage()
    {
        writeText(QStringLiteral("/tmp/help/TUHelp.xml"),
            QStringLiteral("<c><t nome=\"One\" arquivo=\"one.html\"/><t nome=\"Nothing\"/></c>"));
        writeText(QStringLiteral("/tmp/help/one.html"), QStringLiteral("<p>Page one</p>"));
        HelpDlg viewer(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/TUHelp.xml"));
        viewer.topicTree()->setCurrentItem(viewer.topicTree()->topLevelItem(0));
        QCOMPARE(viewer.browser()->source().toLocalFile(), QStringLiteral("/tmp/help/one.html"));
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Page one")));
        // A topic without a page asks for the directory itself: the pane shows no page.
        viewer.topicTree()->setCurrentItem(viewer.topicTree()->topLevelItem(1));
        QVERIFY(!viewer.browser()->toPlainText().contains(QStringLiteral("Page one")));
    }

    void unreadableIndexLeavesTheTreeEmptyButShowsThePage()
    {
        writeText(QStringLiteral("/tmp/help/broken.xml"), QStringLiteral("<c><t nome=\"x\"></c>"));
        writeText(QStringLiteral("/tmp/help/one.html"), QStringLiteral("<p>Page one</p>"));
        HelpDlg broken(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/broken.xml"));
        QCOMPARE(broken.topicTree()->topLevelItemCount(), 0);
        HelpDlg missing(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/none.xml"));
        QCOMPARE(missing.topicTree()->topLevelItemCount(), 0);
        missing.showPage(QStringLiteral("one.html"));
        QVERIFY(missing.browser()->toPlainText().contains(QStringLiteral("Page one")));
    }

    void helpLanguageFallsBackFromRegionToLanguageToEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("page");
        const QStringList all = { QStringLiteral("PolicySelection_pt_BR.html"),
            QStringLiteral("PolicySelection_pt.html"), QStringLiteral("PolicySelection_en_US.html") };
        QTest::newRow("region installed")
            << QStringLiteral("pt_BR.UTF-8")
            << QStringList { QStringLiteral("pt_BR"), QStringLiteral("pt"), QStringLiteral("en_US") } << all
            << QStringLiteral("pt_BR") << QStringLiteral("PolicySelection_pt_BR.html");
        QTest::newRow("only the language")
            << QStringLiteral("pt_BR.UTF-8") << QStringList { QStringLiteral("pt"), QStringLiteral("en_US") } << all
            << QStringLiteral("pt") << QStringLiteral("PolicySelection_pt.html");
        QTest::newRow("region directory with language pages")
            << QStringLiteral("pt_BR.UTF-8") << QStringList { QStringLiteral("pt_BR") }
            << QStringList { QStringLiteral("PolicySelection_pt.html") } << QStringLiteral("pt_BR")
            << QStringLiteral("PolicySelection_pt.html");
        QTest::newRow("no such language")
            << QStringLiteral("de_DE.UTF-8") << QStringList { QStringLiteral("pt_BR"), QStringLiteral("en_US") } << all
            << QStringLiteral("en_US") << QStringLiteral("PolicySelection_en_US.html");
        QTest::newRow("no language configured")
            << QString() << QStringList { QStringLiteral("en_US") } << all << QStringLiteral("en_US")
            << QStringLiteral("PolicySelection_en_US.html");
    }

    void helpLanguageFallsBackFromRegionToLanguageToEnglish()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, pages);
        QFETCH(QString, base);
        QFETCH(QString, page);
        installLanguages(installed, pages);
        writeLanguage(language);
        std::unique_ptr<HelpDlg> viewer(createHelpViewer(QStringLiteral("PolicySelection.html")));
        QCOMPARE(viewer->baseDirectory(), docRoot + base + QLatin1Char('/'));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tuvora"));
        QCOMPARE(viewer->topicTree()->topLevelItem(0)->text(0), base);
        QCOMPARE(viewer->browser()->source().toLocalFile(), docRoot + base + QLatin1Char('/') + page);
        QVERIFY(viewer->browser()->toPlainText().contains(page));
    }

    void linkStartsTheOutsideBrowserAndThePaneStays_data()
    {
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("expected");
        QTest::newRow("web address") << QStringLiteral("http://example.org/a?b=1&amp;c=2")
                                     << QStringLiteral("http://example.org/a?b=1&c=2");
        QTest::newRow("relative page") << QStringLiteral("Other.html") << QStringLiteral("Other.html");
    }

    void linkStartsTheOutsideBrowserAndThePaneStays()
    {
        QFETCH(QString, anchor);
        QFETCH(QString, expected);
        writeText(firefoxStub,
            QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"arg:$a\"; done > %1.part\nmv %1.part %1\n")
                .arg(firefoxLog));
        QFile::setPermissions(
            firefoxStub, QFile::permissions(firefoxStub) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        writeText(QStringLiteral("/tmp/help/links.html"),
            QStringLiteral("<p>Read <a href=\"%1\">thelink</a> now.</p>").arg(anchor));
        HelpDlg viewer(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/none.xml"));
        viewer.resize(600, 400);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.showPage(QStringLiteral("links.html"));
        clickOnText(viewer.browser(), QStringLiteral("thelink"));
        QTRY_VERIFY(QFile::exists(firefoxLog));
        QCOMPARE(QString::fromUtf8(readFileBytes(firefoxLog)), QStringLiteral("arg:%1\n").arg(expected));
        QCOMPARE(viewer.browser()->source().toLocalFile(), QStringLiteral("/tmp/help/links.html"));
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Read thelink now.")));
    }

    void missingBrowserIsReportedOnTheDebugOutput()
    {
        if (!HelpDlg::webBrowserProgram().isEmpty())
            QSKIP("a web browser is installed in this system");
        writeText(QStringLiteral("/tmp/help/links.html"),
            QStringLiteral("<p><a href=\"http://example.org/\">thelink</a></p>"));
        HelpDlg viewer(QStringLiteral("/tmp/help/"), QStringLiteral("/tmp/help/none.xml"));
        viewer.showPage(QStringLiteral("links.html"));
        QTest::ignoreMessage(QtDebugMsg, "Failed to start firefox");
        viewer.slotLinkClicked(QStringLiteral("http://example.org/"));
        QCOMPARE(viewer.browser()->source().toLocalFile(), QStringLiteral("/tmp/help/links.html"));
    }

    void helpOpensModallyOverTheCaller()
    {
        installLanguages({ QStringLiteral("en_US") }, { QStringLiteral("ViewLog_en_US.html") });
        writeLanguage(QStringLiteral("en_US.UTF-8"));
        QWidget caller;
        QDialog *seen = nullptr;
        QString page;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = dialog;
            // Closed whatever the checks say, so that a failing one ends the test here.
            const auto close = qScopeGuard([dialog] { dialog->reject(); });
            QCOMPARE(dialog->parentWidget(), &caller);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Tuvora"));
            auto *viewer = dialog->findChild<HelpDlg *>();
            QVERIFY(viewer);
            // The viewer fills the dialog, and both panes show something.
            QCOMPARE(viewer->geometry(), dialog->rect());
            QVERIFY(viewer->topicTree()->width() > 0 && viewer->browser()->width() > viewer->topicTree()->width());
            page = viewer->browser()->source().toLocalFile();
        });
        driver.start(5);
        openHelpPage(&caller, QStringLiteral("ViewLog.html"));
        QVERIFY(seen);
        QCOMPARE(page, docRoot + QStringLiteral("en_US/ViewLog_en_US.html"));
        QVERIFY(!caller.findChild<QDialog *>());
    }
};

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
