#include "prelogbase.h"

#include "traywindowimages.h"

#include <QEvent>

preLogBase::preLogBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QString::fromLatin1(name ? name : "preLogBase"));
    initTrayWindowImages();
    setupUi(this);
    setModal(modal);
}

void preLogBase::onOptionSelected(QTreeWidgetItem *)
{ }

void preLogBase::onChkSlideClicked()
{ }

void preLogBase::onSliderChanged(int)
{ }

void preLogBase::previousImage()
{ }

void preLogBase::onSearchAppChanged(const QString &)
{ }

void preLogBase::onSearchFileChanged(const QString &)
{ }

void preLogBase::onSearchInternetChanged(const QString &)
{ }

void preLogBase::onHelpClicked()
{ }

void preLogBase::languageChange()
{
    retranslateUi(this);
}

void preLogBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
