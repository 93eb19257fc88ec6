#include "filedialog.h"
#include "listfixture.h"
#include "messagebox.h"
#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"
#include "precopypolicybase.h"
#include "prepolicyselection.h"
#include "sandboxcheck.h"
#include "testfiles.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace ListFixture;

// Copy, Import and Export, answered through the message-box and file-dialog seams and
// a script that types into the name dialog.
namespace {

ModalScript::Step typeName(const QString &text, QString *shownText = nullptr)
{
    return [=](QDialog *dialog) {
        auto *form = qobject_cast<preCopyPolicyBase *>(dialog);
        QVERIFY(form);
        if (shownText)
            *shownText = form->txtName->text();
        form->txtName->clear();
        QTest::keyClicks(form->txtName, text);
        QTest::mouseClick(form->btnOK, Qt::LeftButton);
    };
}

QStringList shownTexts()
{
    QStringList texts;
    for (const MessageBox::Shown &box : MessageBox::shown())
        texts.append(box.text);
    return texts;
}

} // namespace

class TestPolicyFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        requireSandbox();
        qputenv("HOME", QFile::encodeName(m_home.path()));
    }

    void init()
    {
        clearStore();
        writeConfiguration(0, 5);
        MessageBox::clearShown();
        FileDialog::clearShown();
    }

    void cleanup()
    {
        QCOMPARE(MessageBox::pendingAnswers(), 0);
        QCOMPARE(FileDialog::pendingAnswers(), 0);
    }

    void copyOfAnActiveServerPolicyIsAnInactiveLocalOneUnderANewName()
    {
        writePolicy(1, QStringLiteral("parents"), true, Policy::ServerDefinedLocal);
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("parents"));
        QString firstText, secondText;
        {
            ModalScript script({ typeName(QStringLiteral("   "), &firstText),
                typeName(QStringLiteral("parents"), &secondText), typeName(QStringLiteral("  mine  ")) });
            MessageBox::setNextAnswer(0);
            MessageBox::setNextAnswer(0);
            window.btnCopy->click();
            QCOMPARE(script.showings(), 3);
        }
        QCOMPARE(firstText, QString());
        QCOMPARE(secondText, QStringLiteral("   "));
        QCOMPARE(shownTexts(),
            QStringList({ QStringLiteral("Please, inform a Name."),
                QStringLiteral("There is another policy using this name.") }));
        const Policy copy(PolicyStore::pathForNumber(5));
        QCOMPARE(copy.name, QStringLiteral("mine"));
        QCOMPARE(copy.description, QStringLiteral("parents rules"));
        QVERIFY(!copy.active);
        QCOMPARE(copy.type, int(Policy::ComputerDefinedLocal));
        QVERIFY(Policy(PolicyStore::pathForNumber(1)).active);
        QCOMPARE(readNextPolicy(), 6);
        QCOMPARE(window.lstPolicies->selectedItems(), QList<QTreeWidgetItem *>({ rowNamed(window, copy.name) }));
        QVERIFY(window.btnEdit->isEnabled());

        // Cancelled: nothing is copied and the counter stays.
        ModalScript cancel({});
        window.btnCopy->click();
        QCOMPARE(cancel.showings(), 1);
        QCOMPARE(storeFiles().size(), 2);
        QCOMPARE(readNextPolicy(), 6);
    }

    void importTakesTheFileNameWhenFreeAndAsksWhenTaken()
    {
        Policy outside(1);
        outside.filePath = m_home.filePath(QStringLiteral("visitor.xml"));
        outside.name = QStringLiteral("visitor");
        outside.active = true;
        outside.type = Policy::ServerDefinedLocal;
        outside.internet.urls = { QStringLiteral("visitor.example") };
        outside.save();

        prePolicySelection window(qApp);
        {
            ModalScript noDialog({});
            FileDialog::setNextFileName(outside.filePath);
            MessageBox::setNextAnswer(0);
            window.btnImport->click();
            QCOMPARE(noDialog.showings(), 0);
        }
        const FileDialog::Shown asked = FileDialog::shown().constLast();
        QVERIFY(!asked.save && asked.hasParent);
        QCOMPARE(asked.caption, QStringLiteral("Tuvora - File to Import"));
        QCOMPARE(asked.directory, m_home.path());
        QCOMPARE(asked.filter, QStringLiteral("Xml (*.xml)"));
        QCOMPARE(MessageBox::shown().constLast().caption, QStringLiteral("Tuvora - Information"));
        QCOMPARE(MessageBox::shown().constLast().text, QStringLiteral("Policy successfully imported."));
        const Policy imported(PolicyStore::pathForNumber(5));
        QCOMPARE(imported.name, QStringLiteral("visitor"));
        QVERIFY(!imported.active);
        QCOMPARE(imported.type, int(Policy::ServerDefinedLocal));
        QCOMPARE(imported.internet.urls, QStringList({ QStringLiteral("visitor.example") }));
        QCOMPARE(readNextPolicy(), 6);

        // Taken now: the dialog opens empty, the taken name is refused again, Cancel.
        QString openedWith = QStringLiteral("not shown");
        {
            ModalScript taken({ typeName(QStringLiteral("visitor"), &openedWith) });
            FileDialog::setNextFileName(outside.filePath);
            MessageBox::clearShown();
            MessageBox::setNextAnswer(0);
            window.btnImport->click();
            QCOMPARE(taken.showings(), 2);
        }
        QCOMPARE(openedWith, QString());
        QCOMPARE(shownTexts(), QStringList({ QStringLiteral("There is another policy using this name.") }));
        QCOMPARE(storeFiles().size(), 1);
        QCOMPARE(readNextPolicy(), 6);

        // Import takes a name of blanks as typed.
        {
            ModalScript blanks({ typeName(QStringLiteral("  ")) });
            FileDialog::setNextFileName(outside.filePath);
            MessageBox::setNextAnswer(0);
            window.btnImport->click();
        }
        QVERIFY(rowNamed(window, QStringLiteral("  ")));
        QVERIFY(QFile::exists(PolicyStore::pathForNumber(6)));

        // Nothing chosen, or nothing there: no word, no file.
        MessageBox::clearShown();
        FileDialog::setNextFileName(QString());
        window.btnImport->click();
        FileDialog::setNextFileName(m_home.filePath(QStringLiteral("gone.xml")));
        window.btnImport->click();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(storeFiles().size(), 2);
    }

    void exportAsksBeforeOverwritingAndTakesAnyName()
    {
        const QString source = writePolicy(1, QStringLiteral("school"));
        const QByteArray policyBytes = readFileBytes(source);
        prePolicySelection window(qApp);
        selectRow(window, QStringLiteral("school"));
        const QString existing = m_home.filePath(QStringLiteral("old.xml"));
        writeFileBytes(existing, "keep");

        auto exportTo = [&](const QString &name, QList<int> answers) {
            MessageBox::clearShown();
            FileDialog::setNextFileName(name);
            for (int answer : answers)
                MessageBox::setNextAnswer(answer);
            window.btnExport->click();
        };

        exportTo(existing, { 1 });
        QCOMPARE(MessageBox::shown().constLast().caption, QStringLiteral("Tuvora - Confirmation"));
        QCOMPARE(MessageBox::shown().constLast().text,
            QStringLiteral("\"%1\" already exists.\nAre you sure you want to overwrite it?").arg(existing));
        QCOMPARE(
            MessageBox::shown().constLast().buttons, QStringList({ QStringLiteral("&Yes"), QStringLiteral("&No") }));
        QCOMPARE(readFileBytes(existing), QByteArray("keep"));
        QVERIFY(FileDialog::shown().constLast().save);
        QCOMPARE(FileDialog::shown().constLast().caption, QStringLiteral("Tuvora - File to Export"));

        exportTo(existing, { 0, 0 });
        QCOMPARE(shownTexts().constLast(), QStringLiteral("Policy successfully exported."));
        QCOMPARE(readFileBytes(existing), policyBytes);

        // A new name gets ".xml"; when that name is taken, the question is asked for it.
        exportTo(m_home.filePath(QStringLiteral("plain")), { 0 });
        QCOMPARE(readFileBytes(m_home.filePath(QStringLiteral("plain.xml"))), policyBytes);
        exportTo(m_home.filePath(QStringLiteral("old")), { 1 });
        QCOMPARE(MessageBox::shown().constLast().text,
            QStringLiteral("\"%1\" already exists.\nAre you sure you want to overwrite it?").arg(existing));

        // Any character is just part of the name.
        const QString odd = m_home.filePath(QStringLiteral("say \"hi\" $(touch ran).xml"));
        exportTo(odd, { 0 });
        QCOMPARE(readFileBytes(odd), policyBytes);
        QVERIFY(!QFile::exists(m_home.filePath(QStringLiteral("ran"))));

        exportTo(m_home.filePath(QStringLiteral("no/such/folder/school.xml")), { 0 });
        QCOMPARE(MessageBox::shown().constLast().caption, QStringLiteral("Tuvora - Alert"));
        QCOMPARE(shownTexts(), QStringList({ QStringLiteral("Policy export failed.") }));

        QFile::remove(source);
        exportTo(m_home.filePath(QStringLiteral("fresh.xml")), { 0 });
        QCOMPARE(shownTexts(), QStringList({ QStringLiteral("Policy export failed.") }));
    }
};

QTEST_MAIN(TestPolicyFiles)
#include "test_policyfiles.moc"
