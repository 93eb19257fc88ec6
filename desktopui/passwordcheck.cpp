#include "passwordcheck.h"

#include "messagebox.h"
#include "policyconfig.h"
#include "prepasswordbase.h"

#include <QCoreApplication>

void showInvalidPasswordMessage()
{
    MessageBox::information(nullptr, QCoreApplication::translate("PasswordCheck", "Tuvora"),
        QCoreApplication::translate("PasswordCheck", "The password is invalid."),
        { QCoreApplication::translate("PasswordCheck", "OK") });
}

bool passwordStartupGate(prePasswordBase &form)
{
    QString accepted = noPasswordValue();
    for (;;) {
        if (readPassword() == accepted)
            return true;
        if (form.exec() != QDialog::Accepted)
            return readPassword() == noPasswordValue();
        accepted = form.txtPassword->text();
        if (readPassword() == accepted)
            return true;
        showInvalidPasswordMessage();
    }
}

bool checkAdministratorPassword()
{
    prePasswordBase form;
    form.setGenericWording(true);
    for (;;) {
        if (form.exec() != QDialog::Accepted)
            return false;
        if (form.txtPassword->text() == readPassword())
            return true;
        showInvalidPasswordMessage();
    }
}
