#include "preconfiguration.h"

#include "helpopener.h"
#include "messagebox.h"
#include "pagelist.h"
#include "policyconfig.h"
#include "privileges.h"
#include "settingssave.h"

namespace {

// Machine modes 0 and 3 enforce policies here; the others publish them and keep no logs.
bool enforcesPolicies(int machineMode)
{
    return machineMode == 0 || machineMode == 3;
}

} // namespace

preConfiguration::preConfiguration(QWidget *parent, bool unlocked)
    : preConfigurationBase(parent, "preConfiguration")
{
    setUpPageList(lstOptions);

    m_loaded = readLogSettings();
    txtIP->setText(readServerIP());
    showLogSettings(m_loaded);

    m_page = 0;
    wstack->setCurrentIndex(0);
    if (!enforcesPolicies(readType())) {
        delete lstOptions->topLevelItem(lstOptions->topLevelItemCount() - 1);
        grpServerIP->hide();
    }
    if (unlocked) {
        txtOldPassword->clear();
        txtOldPassword->setEnabled(false);
    }
    btnOK->setFocus();
    m_passwordTouched = false;
}

void preConfiguration::showLogSettings(const LogSettings &settings)
{
    spnShotInterval->setValue(settings.shotInterval);
    spnAllowedShots->setValue(settings.maxShots);
    chkScreenLog->setChecked(settings.screenLog);
    spnApplicationLogSize->setValue(settings.applicationLogSize);
    chkApplicationLog->setChecked(settings.applicationLog);
    spnInternetLogSize->setValue(settings.internetLogSize);
    chkInternetLog->setChecked(settings.internetLog);
    spnFileLogSize->setValue(settings.fileLogSize);
    chkFileLog->setChecked(settings.fileLog);
}

LogSettings preConfiguration::logSettingsShown() const
{
    LogSettings settings;
    settings.shotInterval = spnShotInterval->value();
    settings.maxShots = spnAllowedShots->value();
    settings.screenLog = chkScreenLog->isChecked();
    settings.applicationLogSize = spnApplicationLogSize->value();
    settings.applicationLog = chkApplicationLog->isChecked();
    settings.internetLogSize = spnInternetLogSize->value();
    settings.internetLog = chkInternetLog->isChecked();
    settings.fileLogSize = spnFileLogSize->value();
    settings.fileLog = chkFileLog->isChecked();
    return settings;
}

void preConfiguration::onOptionSelected(QTreeWidgetItem *item)
{
    const int page = raisePage(lstOptions, wstack, item);
    if (page >= 0)
        m_page = page;
}

void preConfiguration::onPasswordChange()
{
    m_passwordTouched = true;
}

void preConfiguration::onHelpClicked()
{
    openHelpPage(this, m_page != 0 ? QStringLiteral("LogConfiguration.html") : QStringLiteral("GeneralSettings.html"));
}

void preConfiguration::onSaveClicked()
{
    SettingsChange change;
    if (m_passwordTouched) {
        QString problem;
        switch (checkPasswordChange(
            txtOldPassword->text(), txtNewPassword->text(), txtNewPassword2->text(), readPassword())) {
        case PasswordProblem::None:
            break;
        case PasswordProblem::Invalid:
            problem = tr("The password is invalid.");
            break;
        case PasswordProblem::Mismatch:
            problem = tr("The typed passwords don't match.");
            break;
        case PasswordProblem::OnlyBlanks:
            problem = tr("The password must not be fully composed by blank characters.");
            break;
        }
        if (!problem.isEmpty()) {
            MessageBox::warning(this, tr("Tuvora - Alert"), problem, { tr("OK") });
            return;
        }
        change.newPassword = txtNewPassword->text();
    }
    change.serverAddress = txtIP->text();
    change.before = m_loaded;
    change.after = logSettingsShown();

    asRoot([&] { saveSettings(change); });
    m_loaded = change.after;
    accept();
}
