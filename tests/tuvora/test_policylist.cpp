#include "filedialog.h"
#include "listfixture.h"
#include "messagebox.h"
#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

using namespace ListFixture;

namespace {

// The editor's part as the real one plays it: a changed and saved record, accepted.
prePolicySelection::EditorStandIn acceptAs(const QString &name, int *calls = nullptr)
{
    return [=](Policy &policy, const PolicyNameCheck &) {
        if (calls)
            ++*calls;
        policy.name = name;
        policy.description = name + QStringLiteral(" edited");
        policy.save();
        return true;
    };
}

QStringList cells(const QTreeWidgetItem *row)
{
    QStringList texts;
    for (int column = 0; column < 4; ++column)
        texts.append(row->text(column));
    return texts;
}

} // namespace

class TestPolicyList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        clearStore();
        writeConfiguration(0, 7);
        MessageBox::clearShown();
        FileDialog::clearShown();
        prePolicySelection::setEditorStandIn({});
    }

    void cleanup() { QCOMPARE(MessageBox::pendingAnswers(), 0); }

    void windowListsTheStoreAndEnablesTheRowButtonsBySelection()
    {
        {
            prePolicySelection empty(qApp);
            QCOMPARE(empty.windowTitle(), QStringLiteral("Tuvora - Configuration"));
            QCOMPARE(empty.lstPolicies->topLevelItemCount(), 0);
            for (QPushButton *button :
                { empty.btnEdit, empty.btnRemove, empty.btnExport, empty.btnApply, empty.btnCopy })
                QVERIFY(!button->isEnabled());
            QVERIFY(empty.btnNew->isEnabled() && empty.btnImport->isEnabled());
        }
        writePolicy(2, QStringLiteral("zeta"));
        writePolicy(10, QStringLiteral("Alpha"), true, Policy::Network);
        writePolicy(3, QStringLiteral("beta"), false, Policy::ServerDefinedLocal);
        prePolicySelection window(qApp);
        QHeaderView *header = window.lstPolicies->header();
        QCOMPARE(QList<int>({ header->sectionSize(0), header->sectionSize(1), header->sectionSize(2) }),
            QList<int>({ 100, 160, 60 }));
        QCOMPARE(window.lstPolicies->headerItem()->text(3), QStringLiteral("Type"));
        QCOMPARE(cells(window.lstPolicies->topLevelItem(0)),
            QStringList({ QStringLiteral("Alpha"), QStringLiteral("Alpha rules"), QStringLiteral("Active"),
                QStringLiteral("Network Policy") }));
        QCOMPARE(cells(window.lstPolicies->topLevelItem(1)).mid(2),
            QStringList({ QStringLiteral("Inactive"), QStringLiteral("Server Defined Local Policy") }));
        QCOMPARE(window.lstPolicies->topLevelItem(2)->text(3), QStringLiteral("Computer Defined Local Policy"));

        selectRow(window, QStringLiteral("Alpha"));
        QCOMPARE(window.btnApply->text(), QStringLiteral("Deactivate"));
        QVERIFY(window.btnEdit->isEnabled() && window.btnCopy->isEnabled());
        // A new text must not take the accelerator away.
        QCOMPARE(window.btnApply->shortcut(), QKeySequence(QStringLiteral("Alt+A")));
        selectRow(window, QStringLiteral("zeta"));
        QCOMPARE(window.btnApply->text(), QStringLiteral("Activate"));
        QVERIFY(!window.isPolicyNameFree(QStringLiteral("zeta")));
        QVERIFY(window.isPolicyNameFree(QStringLiteral("Zeta")));
    }

    void policyServerHidesStatusTypeAndActivate()
    {
        writeConfiguration(2);
        writePolicy(1, QStringLiteral("school"), true, Policy::Network);
        prePolicySelection window(qApp);
        QVERIFY(window.lstPolicies->isColumnHidden(2) && window.lstPolicies->isColumnHidden(3));
        QVERIFY(window.btnApply->isHidden());
        QCOMPARE(window.lstPolicies->header()->sectionSize(0), 180);
        QCOMPARE(window.lstPolicies->header()->sectionSize(1), 300);
        QCOMPARE(window.lstPolicies->topLevelItem(0)->text(2), QString());

        prePolicySelection::setEditorStandIn(acceptAs(QStringLiteral("new one")));
        window.btnNew->click();
        QCOMPARE(rowNamed(window, QStringLiteral("new one"))->text(2), QStringLiteral("Inactive"));
    }

    void newPolicyIsNumberedFromNextPolicyOnlyWhenTheEditorAccepts()
    {
        prePolicySelection window(qApp);
        QString editedPath;
        const PolicyNameCheck *namesAsked = nullptr;
        prePolicySelection::setEditorStandIn([&](Policy &policy, const PolicyNameCheck &names) {
            editedPath = policy.filePath;
            namesAsked = &names;
            return false;
        });
        window.btnNew->click();
        QCOMPARE(editedPath, PolicyStore::pathForNumber(7));
        QCOMPARE(namesAsked, &window);
        QVERIFY(storeFiles().isEmpty());
        QCOMPARE(readNextPolicy(), 7);
        QCOMPARE(window.lstPolicies->topLevelItemCount(), 0);

        prePolicySelection::setEditorStandIn(acceptAs(QStringLiteral("homework")));
        window.btnNew->click();
        QCOMPARE(storeFiles(), QStringList({ QStringLiteral("policy_7.xml") }));
        QCOMPARE(readNextPolicy(), 8);
        QCOMPARE(cells(rowNamed(window, QStringLiteral("homework"))).mid(1),
            QStringList({ QStringLiteral("homework edited"), QStringLiteral("Inactive"),
                QStringLiteral("Computer Defined Local Policy") }));

        // A counter that fell behind the store skips the numbers taken.
        writePolicy(9, QStringLiteral("copied in by hand"));
        writeNextPolicy(9);
        prePolicySelection::setEditorStandIn(acceptAs(QStringLiteral("weekend")));
        window.btnNew->click();
        QCOMPARE(Policy(PolicyStore::pathForNumber(9)).name, QStringLiteral("copied in by hand"));
        QCOMPARE(Policy(PolicyStore::pathForNumber(10)).name, QStringLiteral("weekend"));
        QCOMPARE(readNextPolicy(), 11);
    }

    void fortyPoliciesAreTheLimitOfNewCopyAndImport()
    {
        for (int number = 1; number <= 39; ++number)
            writePolicy(100 + number, QStringLiteral("policy %1").arg(number));
        prePolicySelection window(qApp);
        int editorCalls = 0;
        prePolicySelection::setEditorStandIn(acceptAs(QStringLiteral("fortieth"), &editorCalls));
        window.btnNew->click();
        QCOMPARE(editorCalls, 1);
        QCOMPARE(window.lstPolicies->topLevelItemCount(), 40);

        selectRow(window, QStringLiteral("policy 1"));
        ModalScript nameDialog({});
        for (QPushButton *button : { window.btnNew, window.btnCopy, window.btnImport }) {
            MessageBox::setNextAnswer(0);
            button->click();
            const MessageBox::Shown refused = MessageBox::shown().constLast();
            QCOMPARE(refused.caption, QStringLiteral("Tuvora - Alert"));
            QCOMPARE(refused.text, QStringLiteral("It's not possible to have more than 40 policies."));
            QCOMPARE(refused.buttons, QStringList({ QStringLiteral("OK") }));
            // New's box has no parent; Copy's and Import's stand over the window.
            QCOMPARE(refused.hasParent, button != window.btnNew);
        }
        QCOMPARE(editorCalls, 1);
        QCOMPARE(nameDialog.showings(), 0);
        QVERIFY(FileDialog::shown().isEmpty());
        QCOMPARE(storeFiles().size(), 40);
    }

    void serverDefinedPolicyIsReadOnlyWhereItIsEnforced()
    {
        writePolicy(1, QStringLiteral("parents"), false, Policy::ServerDefinedLocal);
        int editorCalls = 0;
        prePolicySelection::setEditorStandIn(acceptAs(QStringLiteral("changed"), &editorCalls));
        {
            prePolicySelection window(qApp);
            selectRow(window, QStringLiteral("parents"));
            QVERIFY(!window.btnEdit->isEnabled());
            QTreeWidgetItem *row = rowNamed(window, QStringLiteral("parents"));
            emit window.lstPolicies->itemDoubleClicked(row, 0);
            QCOMPARE(editorCalls, 0);
        }
        writeConfiguration(1);
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("parents"));
        QVERIFY(window.btnEdit->isEnabled());
        emit window.lstPolicies->itemDoubleClicked(rowNamed(window, QStringLiteral("parents")), 0);
        QCOMPARE(editorCalls, 1);
        QCOMPARE(window.lstPolicies->selectedItems().constFirst()->text(1), QStringLiteral("changed edited"));
    }

    void removeAsksWithTheNameInQuotesAndRefusesAnActivePolicy()
    {
        const QString path = writePolicy(1, QStringLiteral("old rules"));
        writePolicy(2, QStringLiteral("in force"), true);
        prePolicySelection window(qApp);

        selectRow(window, QStringLiteral("in force"));
        MessageBox::setNextAnswer(0);
        window.btnRemove->click();
        QCOMPARE(MessageBox::shown().constLast().text, QStringLiteral("It's not possible to remove an active policy."));

        selectRow(window, QStringLiteral("old rules"));
        MessageBox::setNextAnswer(1);
        window.btnRemove->click();
        const MessageBox::Shown asked = MessageBox::shown().constLast();
        QCOMPARE(asked.caption, QStringLiteral("Tuvora - Confirmation"));
        QCOMPARE(asked.text, QStringLiteral("You are about to remove \"old rules\" policy."));
        QCOMPARE(asked.buttons, QStringList({ QStringLiteral("OK"), QStringLiteral("Cancel") }));
        QVERIFY(QFile::exists(path));

        MessageBox::setNextAnswer(0);
        window.btnRemove->click();
        QVERIFY(!QFile::exists(path));
        QVERIFY(!rowNamed(window, QStringLiteral("old rules")));
        QVERIFY(!window.btnRemove->isEnabled());
    }
};

QTEST_MAIN(TestPolicyList)
#include "test_policylist.moc"
