#include "contextfitler.h"
#include "cutoff.h"
#include "dialogscript.h"
#include "messagebox.h"
#include "passwordcheck.h"
#include "policyconfig.h"
#include "prepasswordbase.h"
#include "sandboxcheck.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

DialogScript::Step typeAndLogin(const QString &text)
{
    return [text](QDialog *dialog) {
        auto *form = static_cast<prePasswordBase *>(dialog);
        form->txtPassword->clear();
        QTest::keyClicks(form->txtPassword, text);
        QTest::mouseClick(form->btnLogin, Qt::LeftButton);
    };
}

DialogScript::Step cancel()
{
    return
        [](QDialog *dialog) { QTest::mouseClick(static_cast<prePasswordBase *>(dialog)->btnCancel, Qt::LeftButton); };
}

// The plain check makes its own form; this finds it once it is shown.
prePasswordBase *shownForm()
{
    return qobject_cast<prePasswordBase *>(QApplication::activeModalWidget());
}

} // namespace

class TestPasswordDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { requireSandbox(); }

    void init()
    {
        MessageBox::clearShown();
        QCOMPARE(MessageBox::pendingAnswers(), 0);
    }

    void formHoldsAtMostThirteenMaskedCharacters()
    {
        prePasswordBase form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tuvora - Login"));
        QCOMPARE(form.textLabel1->text(), QStringLiteral("Tuvora Administrator Password:"));
        QCOMPARE(form.txtPassword->echoMode(), QLineEdit::Password);
        QTest::keyClicks(form.txtPassword, QStringLiteral("abcdefghijklmnop"));
        QCOMPARE(form.txtPassword->text(), QStringLiteral("abcdefghijklm"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(firstCutOffChild(form), QString());
        QVERIFY(!form.windowIcon().isNull() && !form.btnLogin->icon().isNull() && !form.btnCancel->icon().isNull());
        QCOMPARE(form.btnCancel->toolTip(), QStringLiteral("Cancels login and exits the Tuvora."));
        form.setGenericWording(true);
        QVERIFY(!form.btnLogin->toolTip().contains(QStringLiteral("Tuvora")));
        QVERIFY(!form.btnCancel->toolTip().contains(QStringLiteral("Tuvora")));
    }

    void rightPasswordPassesTheGate()
    {
        writePassword(QStringLiteral("abc"));
        prePasswordBase form;
        DialogScript script(&form, { typeAndLogin(QStringLiteral("abc")) });
        QVERIFY(passwordStartupGate(form));
        QCOMPARE(script.showings(), 1);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void wrongPasswordIsRefusedAndTheSameDialogKeepsTheText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("upper case") << QStringLiteral("ABC");
        QTest::newRow("trailing blank") << QStringLiteral("abc ");
        QTest::newRow("prefix") << QStringLiteral("ab");
        QTest::newRow("empty") << QString();
    }

    void wrongPasswordIsRefusedAndTheSameDialogKeepsTheText()
    {
        QFETCH(QString, typed);
        writePassword(QStringLiteral("abc"));
        prePasswordBase form;
        QString textOnSecondShowing = QStringLiteral("<not shown again>");
        MessageBox::setNextAnswer(0);
        DialogScript script(&form, { typeAndLogin(typed), [&](QDialog *) {
                                        textOnSecondShowing = form.txtPassword->text();
                                        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
                                    } });
        QVERIFY(!passwordStartupGate(form));
        QCOMPARE(script.showings(), 2);
        QCOMPARE(textOnSecondShowing, typed);
        const auto shown = MessageBox::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Information);
        QCOMPARE(shown.first().caption, QStringLiteral("Tuvora"));
        QCOMPARE(shown.first().text, QStringLiteral("The password is invalid."));
        QCOMPARE(shown.first().buttons, QStringList { QStringLiteral("OK") });
        QVERIFY(!shown.first().hasParent);
    }

    void threeWrongAttemptsThenCancelEndCancelled()
    {
        writePassword(QStringLiteral("secret"));
        prePasswordBase form;
        for (int i = 0; i < 3; ++i)
            MessageBox::setNextAnswer(0);
        DialogScript script(&form,
            { typeAndLogin(QStringLiteral("one")), typeAndLogin(QStringLiteral("two")),
                typeAndLogin(QStringLiteral("three")), cancel() });
        QVERIFY(!passwordStartupGate(form));
        QCOMPARE(script.showings(), 4);
        QCOMPARE(MessageBox::shown().size(), 3);
    }

    void cancelShowsNoMessage()
    {
        writePassword(QStringLiteral("secret"));
        prePasswordBase form;
        DialogScript script(&form, { cancel() });
        QVERIFY(!passwordStartupGate(form));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void passwordLongerThanTheFieldCanNeverBeMatched()
    {
        writePassword(QStringLiteral("abcdefghijklmn"));
        prePasswordBase form;
        MessageBox::setNextAnswer(0);
        DialogScript script(&form, { typeAndLogin(QStringLiteral("abcdefghijklmn")), cancel() });
        QVERIFY(!passwordStartupGate(form));
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    void noPasswordValueOpensTheGateWithoutDialog()
    {
        writePassword(noPasswordValue());
        prePasswordBase form;
        DialogScript script(&form, {});
        QVERIFY(passwordStartupGate(form));
        QCOMPARE(script.showings(), 0);
    }

    void cancelPassesWhenThePasswordWasRemovedMeanwhile()
    {
        writePassword(QStringLiteral("secret"));
        prePasswordBase form;
        DialogScript script(&form, { [](QDialog *dialog) {
            writePassword(noPasswordValue());
            dialog->reject();
        } });
        QVERIFY(passwordStartupGate(form));
    }

    void passwordChangedOnDiskWhileTheDialogIsOpenIsUsed()
    {
        writePassword(QStringLiteral("old"));
        prePasswordBase form;
        MessageBox::setNextAnswer(0);
        DialogScript script(&form,
            { [](QDialog *dialog) {
                 writePassword(QStringLiteral("new"));
                 typeAndLogin(QStringLiteral("old"))(dialog);
             },
                typeAndLogin(QStringLiteral("new")) });
        QVERIFY(passwordStartupGate(form));
        QCOMPARE(script.showings(), 2);
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    void plainCheckAcceptsTheRightPasswordAfterWrongOnes()
    {
        writePassword(QStringLiteral("abc"));
        MessageBox::setNextAnswer(0);
        QList<bool> generic;
        QTimer driver;
        int step = 0;
        connect(&driver, &QTimer::timeout, this, [&] {
            prePasswordBase *form = shownForm();
            if (!form)
                return;
            generic.append(form->genericWording());
            typeAndLogin(step++ == 0 ? QStringLiteral("abd") : QStringLiteral("abc"))(form);
        });
        driver.start(5);
        QVERIFY(checkAdministratorPassword());
        QCOMPARE(step, 2);
        QCOMPARE(generic, QList<bool>({ true, true }));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, QStringLiteral("The password is invalid."));
    }

    void plainCheckStillAsksForTheNoPasswordValue()
    {
        writePassword(noPasswordValue());
        MessageBox::setNextAnswer(0);
        QTimer driver;
        int step = 0;
        connect(&driver, &QTimer::timeout, this, [&] {
            prePasswordBase *form = shownForm();
            if (!form)
                return;
            if (step++ == 0)
                typeAndLogin(noPasswordValue())(form);
            else
                cancel()(form);
        });
        driver.start(5);
        QVERIFY(!checkAdministratorPassword());
        QCOMPARE(step, 2);
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    void passwordFieldWithTheFilterOpensNoContextMenu()
    {
        prePasswordBase form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint inside = form.txtPassword->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, inside, form.txtPassword->mapToGlobal(inside));

        // Without the filter the field has its menu (so the check below can fail) ...
        QApplication::sendEvent(form.txtPassword, &event);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QApplication::activePopupWidget()->close();
        QTRY_VERIFY(!QApplication::activePopupWidget());

        // ... and with it, none.
        contextFitler filter;
        form.txtPassword->installEventFilter(&filter);
        QContextMenuEvent again(QContextMenuEvent::Mouse, inside, form.txtPassword->mapToGlobal(inside));
        QApplication::sendEvent(form.txtPassword, &again);
        QTest::qWait(50);
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(TestPasswordDialog)
#include "test_passworddialog.moc"
