#include "preaboutbase.h"

#include <QEvent>

preAboutBase::preAboutBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QString::fromLatin1(name ? name : "preAboutBase"));
    setupUi(this);
    setModal(modal);
}

void preAboutBase::onCloseClicked()
{ }

void preAboutBase::languageChange()
{
    retranslateUi(this);
}

void preAboutBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
