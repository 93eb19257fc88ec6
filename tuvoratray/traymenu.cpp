#include "traymenu.h"

#include <QAction>
#include <QMenu>

TrayMenu::TrayMenu(QMenu *menu, bool enforcing, const QIcon &modeImage)
    : m_menu(menu)
    , m_modeImage(modeImage)
{
    policyConfiguration = menu->addAction(tr("Policy Configuration"));
    menu->addSeparator();
    if (enforcing) {
        underControl = menu->addAction(underControlText(ModeWord::Local));
        freeOfControl = menu->addAction(tr("Free of Control Mode"));
        menu->addSeparator();
        viewLog = menu->addAction(tr("View Log"));
    }
    settings = menu->addAction(tr("Settings"));
    menu->addSeparator();
    help = menu->addAction(tr("Help"));
    about = menu->addAction(tr("About"));
    menu->addSeparator();
    exit = menu->addAction(tr("Exit"));
}

QAction *TrayMenu::at(int position) const
{
    return m_menu->actions().value(position);
}

QString TrayMenu::underControlText(ModeWord word)
{
    switch (word) {
    case ModeWord::Network:
        return tr("Under Control Mode") + QStringLiteral(" - ") + tr("Network Mode");
    case ModeWord::Teacher:
        return tr("Under Control Mode") + QStringLiteral(" - ") + tr("Teacher Mode");
    case ModeWord::Local:
        break;
    }
    return tr("Under Control Mode") + QStringLiteral(" - ") + tr("Local Mode");
}

void TrayMenu::showFreeOfControl()
{
    if (!underControl)
        return;
    freeOfControl->setText(tr("Free of Control Mode"));
    freeOfControl->setIcon(m_modeImage);
    underControl->setText(underControlText(ModeWord::Local));
    underControl->setIcon(QIcon());
}

void TrayMenu::showUnderControl(ModeWord word)
{
    if (!underControl)
        return;
    freeOfControl->setText(tr("Free of Control Mode"));
    freeOfControl->setIcon(QIcon());
    underControl->setText(underControlText(word));
    underControl->setIcon(m_modeImage);
}

void TrayMenu::showNetworkMode()
{
    if (!underControl)
        return;
    showUnderControl(ModeWord::Network);
    setModeEntriesEnabled(false);
}

void TrayMenu::showTeacherMode()
{
    if (!underControl)
        return;
    underControl->setText(underControlText(ModeWord::Teacher));
    policyConfiguration->setEnabled(false);
    freeOfControl->setEnabled(false);
}

void TrayMenu::showLocalModeAgain()
{
    if (!underControl)
        return;
    underControl->setText(underControlText(ModeWord::Local));
    setModeEntriesEnabled(true);
}

void TrayMenu::setModeEntriesEnabled(bool enabled)
{
    policyConfiguration->setEnabled(enabled);
    underControl->setEnabled(enabled);
    freeOfControl->setEnabled(enabled);
}
