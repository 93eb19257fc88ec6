#include "preconfigurationbase.h"

#include "traywindowimages.h"

#include <QEvent>

preConfigurationBase::preConfigurationBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QString::fromLatin1(name ? name : "preConfigurationBase"));
    initTrayWindowImages();
    setupUi(this);
    setModal(modal);
}

void preConfigurationBase::onOptionSelected(QTreeWidgetItem *)
{ }

void preConfigurationBase::onSaveClicked()
{ }

void preConfigurationBase::onHelpClicked()
{ }

void preConfigurationBase::onPasswordChange()
{ }

void preConfigurationBase::languageChange()
{
    retranslateUi(this);
}

void preConfigurationBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
