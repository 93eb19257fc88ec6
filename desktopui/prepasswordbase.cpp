#include "prepasswordbase.h"

#include <QEvent>

prePasswordBase::prePasswordBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QString::fromLatin1(name ? name : "prePasswordBase"));
    setupUi(this);
    setModal(modal);
    languageChange();
    resize(minimumSizeHint().expandedTo(QSize(380, 114)));
}

void prePasswordBase::setGenericWording(bool generic)
{
    m_generic = generic;
    languageChange();
}

void prePasswordBase::languageChange()
{
    retranslateUi(this);
    if (m_generic) {
        btnLogin->setToolTip(tr("Enters the application."));
        btnCancel->setToolTip(tr("Cancels login and closes this window."));
    }
}

void prePasswordBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
