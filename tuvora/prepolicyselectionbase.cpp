#include "prepolicyselectionbase.h"

#include <QEvent>

prePolicySelectionBase::prePolicySelectionBase(QWidget *parent, const char *name, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    // The window's own images live in this static library: they are only registered
    // when something asks for them by name.
    Q_INIT_RESOURCE(tuvora);
    setObjectName(QString::fromLatin1(name ? name : "prePolicySelectionBase"));
    setupUi(this);
}

void prePolicySelectionBase::btnNewClicked()
{ }

void prePolicySelectionBase::btnEditClicked()
{ }

void prePolicySelectionBase::btnRemoveClicked()
{ }

void prePolicySelectionBase::btnApplyClicked()
{ }

void prePolicySelectionBase::onItemSelected()
{ }

void prePolicySelectionBase::onHelpClicked()
{ }

void prePolicySelectionBase::onHelpAboutClicked()
{ }

void prePolicySelectionBase::onHelpContentClicked()
{ }

void prePolicySelectionBase::btnExportClicked()
{ }

void prePolicySelectionBase::btnImportClicked()
{ }

void prePolicySelectionBase::btnCopyClicked()
{ }

void prePolicySelectionBase::onConfigurationClicked()
{ }

void prePolicySelectionBase::languageChange()
{
    retranslateUi(this);
}

void prePolicySelectionBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QMainWindow::changeEvent(event);
}
