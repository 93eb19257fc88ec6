#include "editorfixture.h"
#include "helpbrowser.h"
#include "helpdlg.h"
#include "helpopener.h"
#include "importfiledialog.h"
#include "messagebox.h"
#include "paths.h"
#include "policy.h"
#include "policystore.h"
#include "preapplicationitem.h"
#include "prepolicyedit.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The policy editor driven as an administrator drives it, offscreen, with every message
// box answered in advance.
namespace {

const QString policyPath = PolicyStore::pathForNumber(7);
const QString infoPrefix
    = QStringLiteral("It's not necessary to inform the protocol and www.\nSystem will change it to a valid URL.");
const QString invalid = QStringLiteral("Please, insert a valid domain.");

Policy storedPolicy()
{
    Policy policy(7);
    policy.name = QStringLiteral("Mine");
    policy.description = QStringLiteral("Mornings");
    policy.internet.urls = { QStringLiteral("example.org") };
    return policy;
}

// The texts of the message boxes shown since the last check; every box is answered OK.
QStringList messagesShown()
{
    QStringList texts;
    for (const MessageBox::Shown &box : MessageBox::shown())
        texts.append(box.text);
    MessageBox::clearShown();
    return texts;
}

void answerBoxes(int count)
{
    for (int i = 0; i < count; ++i)
        MessageBox::setNextAnswer(0);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->clear();
    for (const QChar c : text) {
        // The test library types only ASCII keys; other letters come as key text.
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

QStringList listed(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void showPage(prePolicyEdit &editor, int page)
{
    editor.lstOptions->setCurrentItem(editor.lstOptions->topLevelItem(page));
    QApplication::processEvents();
}

void clickCell(QTableWidget *table, int day, int hour)
{
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(day, hour)).center());
}

preApplicationItem *rowNamed(const prePolicyEdit &editor, const QString &name)
{
    for (preApplicationItem *row : editor.applicationRows()) {
        if (row->application().name == name)
            return row;
    }
    return nullptr;
}

// Opens the row's folder and clicks on the row's check box, as a person switches it.
void switchRow(prePolicyEdit &editor, QTreeWidgetItem *row)
{
    QTreeWidget *tree = editor.lstApplications;
    for (QTreeWidgetItem *folder = row->parent(); folder; folder = folder->parent())
        folder->setExpanded(true);
    tree->scrollToItem(row);
    QStyleOptionViewItem option;
    option.initFrom(tree);
    option.rect = tree->visualItemRect(row);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    option.widget = tree;
    const QRect box = tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, box.center());
}

// A box that no answer was queued for would wait for a person: this closes it and
// remembers its text, so that such a test fails at once instead of hanging.
class UnexpectedBoxes : public QObject
{
public:
    UnexpectedBoxes()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_texts.append(box->text());
                box->reject();
            }
        });
        m_timer.start(100);
    }
    QStringList takeTexts() { return std::exchange(m_texts, {}); }

private:
    QTimer m_timer;
    QStringList m_texts;
};

// The format written for a new policy edited from scratch, byte for byte.
const char *const EditedPolicyFile = "<Policy>\n"
                                     "    <Name>Class 5A</Name>\n"
                                     "    <Description>Mornings &amp; afternoons</Description>\n"
                                     "    <Status>0</Status>\n"
                                     "    <Type>0</Type>\n"
                                     "    <Internet>\n"
                                     "        <ListType>0</ListType>\n"
                                     "        <AgeRange>0</AgeRange>\n"
                                     "        <Content>\n"
                                     "            <Content>poker</Content>\n"
                                     "        </Content>\n"
                                     "        <Urls>\n"
                                     "            <Urls>a.example</Urls>\n"
                                     "            <Urls>b.example</Urls>\n"
                                     "        </Urls>\n"
                                     "        <UrlsWhite/>\n"
                                     "    </Internet>\n"
                                     "    <ApplicationsSchedule>\n"
                                     "        <DateTime>\n"
                                     "            <Date>0</Date>\n"
                                     "            <Time>0</Time>\n"
                                     "        </DateTime>\n"
                                     "    </ApplicationsSchedule>\n"
                                     "    <InternetSchedule/>\n"
                                     "    <BlockedApplications>\n"
                                     "        <Application>\n"
                                     "            <Name>Mines</Name>\n"
                                     "            <Description>Find the hidden mines</Description>\n"
                                     "            <Icon></Icon>\n"
                                     "            <Exec>mines</Exec>\n"
                                     "            <DesktopFile>/usr/share/applications/mines.desktop</DesktopFile>\n"
                                     "            <Permissions></Permissions>\n"
                                     "        </Application>\n"
                                     "    </BlockedApplications>\n"
                                     "</Policy>\n";

} // namespace

class TestPolicyEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void cleanup()
    {
        // Answers a test queued but no box took; drained so the next test starts clean.
        const int unused = MessageBox::pendingAnswers();
        while (MessageBox::pendingAnswers() > 0)
            MessageBox::information(nullptr, QString(), QString(), {});
        QCOMPARE(unused, 0);
        QCOMPARE(m_unexpected.takeTexts(), QStringList());
    }

    void init()
    {
        MessageBox::clearShown();
        EditorFixture::writeMachineMode(0);
        EditorFixture::installSampleMenu();
        QDir().mkpath(Paths::path(Paths::PolicyDir));
        QFile::remove(policyPath);
    }

    void domainIsCheckedAndListedSorted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QStringList>("messages");
        const QString old = QStringLiteral("example.org");
        QTest::newRow("protocol and www stripped")
            << QStringLiteral("http://www.school.example") << QStringList { old, QStringLiteral("school.example") }
            << QString() << QStringList { infoPrefix };
        QTest::newRow("WWW1 prefix stripped, the rest keeps its case")
            << QStringLiteral("WWW1.Example.COM") << QStringList { QStringLiteral("Example.COM"), old } << QString()
            << QStringList { infoPrefix };
        QTest::newRow("hyphen inside a label")
            << QStringLiteral("my-school.org") << QStringList { old, QStringLiteral("my-school.org") } << QString()
            << QStringList();
        QTest::newRow("a name that is its own prefix")
            << QStringLiteral("web.de") << QStringList { old, QStringLiteral("web.de") } << QString() << QStringList();
        QTest::newRow("web inside a name")
            << QStringLiteral("cobweb.net") << QStringList { QStringLiteral("cobweb.net"), old } << QString()
            << QStringList();
        QTest::newRow("another script in IDNA form")
            << QStringLiteral("bücher.example") << QStringList { old, QStringLiteral("xn--bcher-kva.example") }
            << QString() << QStringList();
        QTest::newRow("hyphen at a label's start") << QStringLiteral("-school.org") << QStringList { old }
                                                   << QStringLiteral("-school.org") << QStringList { invalid };
        QTest::newRow("hyphen at a label's end") << QStringLiteral("school-.org") << QStringList { old }
                                                 << QStringLiteral("school-.org") << QStringList { invalid };
        QTest::newRow("bar") << QStringLiteral("games|x.org") << QStringList { old } << QStringLiteral("games|x.org")
                             << QStringList { invalid };
        QTest::newRow("blank") << QStringLiteral("free games.org") << QStringList { old }
                               << QStringLiteral("free games.org") << QStringList { invalid };
        QTest::newRow("no dot") << QStringLiteral("localhost") << QStringList { old } << QStringLiteral("localhost")
                                << QStringList { invalid };
        QTest::newRow("empty") << QString() << QStringList { old } << QString()
                               << QStringList { QStringLiteral("Please, inform a Domain.") };
        QTest::newRow("already listed") << old << QStringList { old } << old
                                        << QStringList { QStringLiteral("This domain is already listed.") };
        QTest::newRow("already listed once stripped")
            << QStringLiteral("https://www.example.org") << QStringList { old } << old
            << QStringList { infoPrefix, QStringLiteral("This domain is already listed.") };
    }

    void domainIsCheckedAndListedSorted()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, list);
        QFETCH(QString, fieldAfter);
        QFETCH(QStringList, messages);
        Policy policy = storedPolicy();
        ListedNames names;
        prePolicyEdit editor(policy, &names);
        editor.show();
        showPage(editor, 1);
        answerBoxes(int(messages.size()));
        typeInto(editor.txtUrl, typed);
        QTest::mouseClick(editor.btnInsUrl, Qt::LeftButton);
        QCOMPARE(listed(editor.lstUrls), list);
        QCOMPARE(editor.txtUrl->text(), fieldAfter);
        QCOMPARE(messagesShown(), messages);
        for (const MessageBox::Shown &box : MessageBox::shown())
            QVERIFY(box.hasParent);
    }

    void boxesCarryTheirCaptions()
    {
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        answerBoxes(2);
        typeInto(editor.txtUrl, QStringLiteral("http://example.org"));
        editor.onInsertUrlClicked();
        const QList<MessageBox::Shown> shown = MessageBox::shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).caption, QStringLiteral("Tuvora - Information"));
        QCOMPARE(shown.at(1).caption, QStringLiteral("Tuvora - Alert"));
        QCOMPARE(shown.at(1).buttons, QStringList { QStringLiteral("OK") });
        QVERIFY(shown.at(1).hasParent);
    }

    void enterInTheFieldAddsWithoutClosing()
    {
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 1);
        typeInto(editor.txtUrlWhite, QStringLiteral("a.example"));
        typeInto(editor.txtUrl, QStringLiteral("b.example"));
        QTest::keyClick(editor.txtUrl, Qt::Key_Return);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QCOMPARE(listed(editor.lstUrls), (QStringList { QStringLiteral("b.example"), QStringLiteral("example.org") }));
    }

    void whiteListPolicyOpensOnItsColumn()
    {
        Policy policy = storedPolicy();
        policy.internet.listType = 1;
        policy.internet.ageRange = 2;
        policy.save();
        ListedNames names({ policy.name });
        prePolicyEdit editor(policy, &names);
        QVERIFY(editor.optWhitelist->isChecked());
        for (QWidget *widget : std::initializer_list<QWidget *> { editor.txtUrlWhite, editor.btnInsUrlWhite,
                 editor.lstUrlsWhite, editor.chkSelectUrlWhite, editor.btnImportUrlWhite })
            QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName()));
        for (QWidget *widget : std::initializer_list<QWidget *> {
                 editor.txtUrl, editor.btnInsUrl, editor.lstUrls, editor.chkSelectUrl, editor.btnRemoveUrl })
            QVERIFY2(!widget->isEnabled(), qPrintable(widget->objectName()));
        QVERIFY(!editor.btnRemoveUrlWhite->isEnabled());
        answerBoxes(1);
        typeInto(editor.txtUrlWhite, QStringLiteral("ftp://ftp.my-school.org"));
        QTest::mouseClick(editor.btnInsUrlWhite, Qt::LeftButton);
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const Policy saved(policyPath);
        QCOMPARE(saved.internet.listType, 1);
        // The age range has no tab any more, but its value goes through a save.
        QCOMPARE(saved.internet.ageRange, 2);
        QCOMPARE(saved.internet.urlsWhite, QStringList { QStringLiteral("my-school.org") });
        QCOMPARE(saved.internet.urls, QStringList { QStringLiteral("example.org") });
    }

    void nameAndDescriptionAreChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("listedNames");
        QTest::addColumn<QString>("refusal");
        const QStringList both { QStringLiteral("Mine"), QStringLiteral("Other") };
        QTest::newRow("renamed onto another listed name") << QStringLiteral("Other") << QStringLiteral("d") << both
                                                          << QStringLiteral("There is another policy using this name.");
        QTest::newRow("name kept, though listed") << QStringLiteral("Mine") << QStringLiteral("d") << both << QString();
        QTest::newRow("names differ in case") << QStringLiteral("other") << QStringLiteral("d") << both << QString();
        QTest::newRow("blank name") << QStringLiteral("  \t ") << QStringLiteral("d") << both
                                    << QStringLiteral("Please, inform the Policy Name.");
        QTest::newRow("blank description") << QStringLiteral("Mine") << QStringLiteral("   ") << both
                                           << QStringLiteral("Please, inform the Policy Description.");
        QTest::newRow("inner blanks kept")
            << QStringLiteral(" Year  5 ") << QStringLiteral(" a  b ") << both << QString();
    }

    void nameAndDescriptionAreChecked()
    {
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QStringList, listedNames);
        QFETCH(QString, refusal);
        Policy policy = storedPolicy();
        ListedNames names(listedNames);
        prePolicyEdit editor(policy, &names);
        editor.show();
        typeInto(editor.txtName, name);
        typeInto(editor.txtDescription, description);
        answerBoxes(refusal.isEmpty() ? 0 : 1);
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        if (!refusal.isEmpty()) {
            QCOMPARE(messagesShown(), QStringList { refusal });
            QVERIFY(editor.isVisible());
            QVERIFY(!QFile::exists(policyPath));
            QCOMPARE(policy.name, QStringLiteral("Mine"));
            return;
        }
        QVERIFY(messagesShown().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const Policy saved(policyPath);
        QCOMPARE(saved.name, name);
        QCOMPARE(saved.description, description);
        QCOMPARE(policy.name, name);
    }

    void applicationTreeComesFromTheMenu()
    {
        Policy policy = storedPolicy();
        BlockedApplication mines;
        mines.name = QStringLiteral("Mines");
        mines.desktopFile = QStringLiteral("/usr/share/applications/mines.desktop");
        mines.permissions = QStringLiteral("0755");
        BlockedApplication removed;
        removed.name = QStringLiteral("Old Game");
        removed.exec = QStringLiteral("oldgame");
        removed.desktopFile = QStringLiteral("/usr/share/applications/oldgame.desktop");
        policy.applications.insert(mines.desktopFile, mines);
        policy.applications.insert(removed.desktopFile, removed);
        ListedNames names;
        prePolicyEdit editor(policy, &names);
        editor.show();
        showPage(editor, 2);

        QTreeWidget *tree = editor.lstApplications;
        QStringList top;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            top.append(tree->topLevelItem(i)->text(0));
        // The folder holding only a link and an empty folder is dropped.
        QCOMPARE(top,
            (QStringList { QStringLiteral("Internet"), QStringLiteral("Games"), QStringLiteral("System"),
                QStringLiteral("Calculator"), QStringLiteral("Not in the menu") }));
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Web Browser (Browse the web)"));
        QCOMPARE(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("Mail"));
        QCOMPARE(editor.applicationRows().size(), 7);

        preApplicationItem *rootTerminal = rowNamed(editor, QStringLiteral("Root Terminal"));
        preApplicationItem *tray = rowNamed(editor, QStringLiteral("Tuvora Tray"));
        QVERIFY(!rootTerminal->isEnabled() && !tray->isEnabled());
        QVERIFY(!rootTerminal->toolTip(0).isEmpty());
        QVERIFY(rowNamed(editor, QStringLiteral("Mines"))->isOn());
        QVERIFY(rowNamed(editor, QStringLiteral("Old Game"))->isOn());
        QVERIFY(!rowNamed(editor, QStringLiteral("Web Browser"))->isOn());
        QVERIFY(!rowNamed(editor, QStringLiteral("Calculator"))->icon(0).isNull());

        switchRow(editor, rowNamed(editor, QStringLiteral("Web Browser")));
        switchRow(editor, rootTerminal);
        switchRow(editor, rowNamed(editor, QStringLiteral("Old Game")));
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QCOMPARE(editor.result(), int(QDialog::Accepted));

        const Policy saved(policyPath);
        QCOMPARE(saved.applications.keys(),
            (QStringList { QStringLiteral("/usr/share/applications/firefox.desktop"),
                QStringLiteral("/usr/share/applications/mines.desktop") }));
        const BlockedApplication browser = saved.applications.first();
        QCOMPARE(browser.exec, QStringLiteral("firefox %u"));
        QCOMPARE(browser.icon, QStringLiteral("firefox"));
        QCOMPARE(browser.description, QStringLiteral("Browse the web"));
        // The record of a row carries the menu's fields, never an old saved mode.
        QCOMPARE(saved.applications.last().permissions, QString());
        QCOMPARE(saved.applications.last().name, QStringLiteral("Mines"));
    }

    void aProgramInAFolderOthersCanChangeIsShownButNotChosen()
    {
        // The supervised user could swap the program for another, so blocking would refuse
        // it: the row says why, and a click does not choose it.
        QTemporaryDir userFolder; // under /tmp, which every user can write to
        const QString game = EditorFixture::plantProgram(userFolder.filePath(QStringLiteral("kidgame")));
        EditorFixture::writeMenu("<Menu><Itens>\n"
            + EditorFixture::serviceEntry(
                QStringLiteral("Kid Game"), QString(), game, QStringLiteral("/usr/share/applications/kidgame.desktop"))
            + EditorFixture::serviceEntry(QStringLiteral("Mines"), QString(), QStringLiteral("mines"),
                QStringLiteral("/usr/share/applications/mines.desktop"))
            + "</Itens></Menu>\n");
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 2);

        preApplicationItem *refused = rowNamed(editor, QStringLiteral("Kid Game"));
        QVERIFY(refused && !refused->isEnabled());
        QCOMPARE(refused->toolTip(0),
            QStringLiteral("The program lies in a folder that users other than root can change; only programs in "
                           "root's own folders can be blocked."));
        switchRow(editor, refused);
        QVERIFY(!refused->isOn());
        preApplicationItem *mines = rowNamed(editor, QStringLiteral("Mines"));
        QVERIFY(mines->isEnabled() && mines->toolTip(0).isEmpty());
        switchRow(editor, mines);
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QCOMPARE(Policy(policyPath).applications.keys(),
            QStringList { QStringLiteral("/usr/share/applications/mines.desktop") });
    }

    void missingMenuGivesAnEmptyTree()
    {
        QFile::remove(Paths::path(Paths::MenuFile));
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        QCOMPARE(editor.lstApplications->topLevelItemCount(), 0);
        QVERIFY(editor.applicationRows().isEmpty());
    }

    void menuIconsFitTheRows()
    {
        QImage big(48, 48, QImage::Format_ARGB32);
        big.fill(Qt::red);
        QVERIFY(big.save(QStringLiteral("/tmp/big.png")));
        EditorFixture::writeMenu("<Menu><Itens>"
            + EditorFixture::serviceEntry(QStringLiteral("Big"), QString(), QStringLiteral("big"),
                QStringLiteral("/big.desktop"), QStringLiteral("/tmp/big.png"))
            + EditorFixture::serviceEntry(QStringLiteral("Unknown"), QString(), QStringLiteral("unknown"),
                QStringLiteral("/unknown.desktop"), QStringLiteral("no-such-icon-anywhere"))
            + "</Itens></Menu>");
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        QCOMPARE(editor.lstApplications->iconSize(), QSize(20, 20));
        for (preApplicationItem *row : editor.applicationRows()) {
            QVERIFY(!row->icon(0).isNull());
            QCOMPARE(row->icon(0).pixmap(editor.lstApplications->iconSize()).deviceIndependentSize().toSize(),
                QSize(20, 20));
        }
        QCOMPARE(editor.applicationRows().first()->icon(0).pixmap(QSize(20, 20)).toImage().pixelColor(10, 10),
            QColor(Qt::red));
    }

    void selectAllThenOneCellUncheckedStoresAllButThatCell()
    {
        Policy policy = storedPolicy();
        policy.internetGrid.fill(0);
        policy.applicationGrid.fill(0);
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 3);
        QVERIFY(!editor.chkSelectInternet->isChecked());
        QTest::mouseClick(editor.chkSelectInternet, Qt::LeftButton);
        clickCell(editor.tblHorariosInt, 2, 10);
        // The box does not follow a single cell.
        QVERIFY(editor.chkSelectInternet->isChecked());
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QCOMPARE(editor.result(), int(QDialog::Accepted));

        const Policy saved(policyPath);
        WeekGrid expected;
        expected[WeekGrid::cellIndex(2, 10)] = 0;
        QVERIFY(saved.internetGrid == expected);
        WeekGrid free;
        free.fill(0);
        QVERIFY(saved.applicationGrid == free);
        QVERIFY(readFileBytes(policyPath)
                    .contains("<InternetSchedule>\n"
                              "        <DateTime>\n"
                              "            <Date>2</Date>\n"
                              "            <Time>10</Time>\n"
                              "        </DateTime>\n"
                              "    </InternetSchedule>\n"));
    }

    // The arrow keys and the space bar mark an hour; Tab leaves the table for its Select
    // All box and Shift+Tab for the page list, so a keyboard user is never caught in it.
    void scheduleIsWorkedWithTheKeyboard()
    {
        Policy policy = storedPolicy();
        policy.internetGrid.fill(0);
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        showPage(editor, 3);
        QTableWidget *table = editor.tblHorariosInt;
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Right);
        QTest::keyClick(table, Qt::Key_Space);
        QCOMPARE(table->item(1, 2)->checkState(), Qt::Checked);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), editor.chkSelectInternet);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), editor.lstOptions);
        QCOMPARE(table->item(1, 2)->checkState(), Qt::Checked);
        QCOMPARE(table->item(1, 3)->checkState(), Qt::Unchecked);
    }

    void applicationScheduleSelectAllClearsAndFills()
    {
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 4);
        QVERIFY(editor.chkSelectApps->isChecked());
        QTest::mouseClick(editor.chkSelectApps, Qt::LeftButton);
        clickCell(editor.tblHorariosApp, 6, 23);
        clickCell(editor.tblHorariosApp, 0, 0);
        clickCell(editor.tblHorariosApp, 0, 0);
        editor.onSaveClicked();
        WeekGrid expected;
        expected.fill(0);
        expected[WeekGrid::cellIndex(6, 23)] = 1;
        QVERIFY(Policy(policyPath).applicationGrid == expected);
    }

    void machineModeDecidesTheType_data()
    {
        QTest::addColumn<int>("machineMode");
        QTest::addColumn<int>("typeBefore");
        QTest::addColumn<int>("chosenIndex");
        QTest::addColumn<bool>("selectorShown");
        QTest::addColumn<int>("savedType");
        QTest::newRow("mode 1 shows the network type") << 1 << 2 << -1 << true << 2;
        QTest::newRow("mode 1, server-defined chosen") << 1 << 2 << 0 << true << 1;
        QTest::newRow("mode 1, a local policy starts on the first entry") << 1 << 0 << -1 << true << 1;
        QTest::newRow("mode 3 hides it and saves a local policy") << 3 << 2 << -1 << false << 0;
        QTest::newRow("mode 0 likewise") << 0 << 1 << -1 << false << 0;
        QTest::newRow("mode 2 saves the hidden first entry") << 2 << 2 << -1 << false << 1;
    }

    void machineModeDecidesTheType()
    {
        QFETCH(int, machineMode);
        QFETCH(int, typeBefore);
        QFETCH(int, chosenIndex);
        QFETCH(bool, selectorShown);
        QFETCH(int, savedType);
        EditorFixture::writeMachineMode(machineMode);
        Policy policy = storedPolicy();
        policy.type = typeBefore;
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        QCOMPARE(editor.cmbType->isVisible(), selectorShown);
        QCOMPARE(editor.lblType->isVisible(), selectorShown);
        if (selectorShown && typeBefore > 0)
            QCOMPARE(editor.cmbType->currentIndex(), typeBefore - 1);
        if (chosenIndex >= 0)
            editor.cmbType->setCurrentIndex(chosenIndex);
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QCOMPARE(Policy(policyPath).type, savedType);
        QCOMPARE(policy.type, savedType);
    }

    void cancelLeavesTheFileAndTheRecordUntouched()
    {
        Policy policy = storedPolicy();
        policy.internetGrid[5] = 0;
        policy.save();
        const QByteArray before = readFileBytes(policyPath);
        const Policy copy = policy;
        ListedNames names({ policy.name });
        prePolicyEdit editor(policy, &names);
        editor.show();
        typeInto(editor.txtName, QStringLiteral("Changed"));
        typeInto(editor.txtUrl, QStringLiteral("new.example"));
        QTest::mouseClick(editor.btnInsUrl, Qt::LeftButton);
        showPage(editor, 3);
        clickCell(editor.tblHorariosInt, 1, 1);
        switchRow(editor, rowNamed(editor, QStringLiteral("Calculator")));
        QTest::mouseClick(editor.btnCancel, Qt::LeftButton);
        QCOMPARE(editor.result(), int(QDialog::Rejected));
        QCOMPARE(readFileBytes(policyPath), before);
        QCOMPARE(policy.name, copy.name);
        QVERIFY(policy.internet == copy.internet);
        QVERIFY(policy.internetGrid == copy.internetGrid);
        QVERIFY(policy.applications == copy.applications);
    }

    void savedFileIsThePolicyFileFormat()
    {
        Policy policy(7);
        ListedNames names({ QStringLiteral("Other") });
        prePolicyEdit editor(policy, &names);
        editor.show();
        typeInto(editor.txtName, QStringLiteral("Class 5A"));
        typeInto(editor.txtDescription, QStringLiteral("Mornings & afternoons"));
        showPage(editor, 1);
        for (const char *domain : { "b.example", "a.example" }) {
            typeInto(editor.txtUrl, QString::fromLatin1(domain));
            QTest::mouseClick(editor.btnInsUrl, Qt::LeftButton);
        }
        typeInto(editor.txtContent, QStringLiteral("poker"));
        QTest::mouseClick(editor.btnInsContent_2, Qt::LeftButton);
        showPage(editor, 2);
        switchRow(editor, rowNamed(editor, QStringLiteral("Mines")));
        showPage(editor, 4);
        clickCell(editor.tblHorariosApp, 0, 0);
        QTest::mouseClick(editor.btnOK, Qt::LeftButton);
        QVERIFY(messagesShown().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(readFileBytes(policyPath), QByteArray(EditedPolicyFile));
    }

    void listsSelectAllAndRemove()
    {
        Policy policy = storedPolicy();
        policy.internet.content = { QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c") };
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 1);
        QVERIFY(!editor.btnRemoveContent->isEnabled());
        QTest::mouseClick(editor.chkSelectContents, Qt::LeftButton);
        QCOMPARE(editor.lstContent->selectedItems().size(), 3);
        QVERIFY(editor.btnRemoveContent->isEnabled());
        editor.lstContent->item(0)->setSelected(false);
        QVERIFY(!editor.chkSelectContents->isChecked());
        QTest::mouseClick(editor.btnRemoveContent, Qt::LeftButton);
        QCOMPARE(listed(editor.lstContent), QStringList { QStringLiteral("b") });
        // A blank word is refused; a word is added as typed, the list sorted.
        answerBoxes(1);
        typeInto(editor.txtContent, QStringLiteral("   "));
        QTest::mouseClick(editor.btnInsContent_2, Qt::LeftButton);
        QCOMPARE(messagesShown(), QStringList { QStringLiteral("Please, inform a Content.") });
        typeInto(editor.txtContent, QStringLiteral(" a bet "));
        QTest::mouseClick(editor.btnInsContent_2, Qt::LeftButton);
        QCOMPARE(listed(editor.lstContent), (QStringList { QStringLiteral(" a bet "), QStringLiteral("b") }));
        QVERIFY(editor.txtContent->text().isEmpty());
    }

    void importListAddsCheckedDomainsAndReports()
    {
        const QString file = QStringLiteral("/tmp/blocklist.txt");
        writeFileBytes(file,
            "# A published list\n"
            "\n"
            "0.0.0.0 ads.example\n"
            "127.0.0.1\tTracker.example  # counts visits\n"
            "http://www.games.example\r\n"
            "example.org\n"
            "ads.example\n"
            "bücher.example\n"
            "not a domain\n"
            "bad|name.example\n"
            "-x.example\n"
            "0.0.0.0 ok.example bad_name\n");
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 1);
        ImportFileDialog::setNextFileName(file);
        answerBoxes(1);
        QTest::mouseClick(editor.btnImportUrl, Qt::LeftButton);
        QCOMPARE(ImportFileDialog::pendingAnswers(), 0);
        QCOMPARE(listed(editor.lstUrls),
            (QStringList { QStringLiteral("Tracker.example"), QStringLiteral("ads.example"),
                QStringLiteral("example.org"), QStringLiteral("games.example"),
                QStringLiteral("xn--bcher-kva.example") }));
        QCOMPARE(messagesShown(),
            QStringList { QStringLiteral("Added: 4\nAlready listed: 2\nRefused: 4\n\nFirst refused lines:\n"
                                         "not a domain\nbad|name.example\n-x.example\n0.0.0.0 ok.example bad_name") });

        // Cancelling the file dialog changes nothing and says nothing.
        ImportFileDialog::setNextFileName(QString());
        QTest::mouseClick(editor.btnImportUrl, Qt::LeftButton);
        QVERIFY(messagesShown().isEmpty());
        QCOMPARE(editor.lstUrls->count(), 5);
    }

    void importListOfWords()
    {
        const QString file = QStringLiteral("/tmp/words.txt");
        writeFileBytes(file, "# words\npoker\n  online casino  \n\npoker\nbet\n");
        Policy policy = storedPolicy();
        policy.internet.content = { QStringLiteral("bet") };
        prePolicyEdit editor(policy, nullptr);
        ImportFileDialog::setNextFileName(file);
        answerBoxes(1);
        editor.onImportContentClicked();
        QCOMPARE(listed(editor.lstContent),
            (QStringList { QStringLiteral("bet"), QStringLiteral("online casino"), QStringLiteral("poker") }));
        QCOMPARE(messagesShown(), QStringList { QStringLiteral("Added: 2\nAlready listed: 2\nRefused: 0") });
    }

    void helpOpensThePageShown()
    {
        const QString base = helpBaseDirectory(QString());
        QDir().mkpath(base);
        writeFileBytes(base + QStringLiteral("TUHelp.xml"), "<conteudo/>");
        writeFileBytes(base + QStringLiteral("InternetSchedule_en_US.html"), "<p>Internet schedule</p>");
        Policy policy = storedPolicy();
        prePolicyEdit editor(policy, nullptr);
        editor.show();
        showPage(editor, 3);
        QCOMPARE(editor.currentPage(), 3);
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *viewer = modal ? modal->findChild<HelpDlg *>() : nullptr)
                shown = viewer->browser()->source().toLocalFile();
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
        QTest::mouseClick(editor.btnHelp, Qt::LeftButton);
        QCOMPARE(shown, base + QStringLiteral("InternetSchedule_en_US.html"));
        QCOMPARE(prePolicyEdit::helpPage(0), QStringLiteral("PolicyCreation.html"));
        QCOMPARE(prePolicyEdit::helpPage(2), QStringLiteral("ApplicationsBlock.html"));
    }

private:
    UnexpectedBoxes m_unexpected;
};

QTEST_MAIN(TestPolicyEditor)
#include "test_policyeditor.moc"
