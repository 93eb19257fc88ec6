#include "precopypolicybase.h"

#include <QEvent>

preCopyPolicyBase::preCopyPolicyBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    Q_INIT_RESOURCE(tuvora);
    setObjectName(QString::fromLatin1(name ? name : "preCopyPolicyBase"));
    setupUi(this);
    setModal(modal);
}

void preCopyPolicyBase::languageChange()
{
    retranslateUi(this);
}

void preCopyPolicyBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
