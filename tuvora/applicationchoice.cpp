#include "applicationchoice.h"

#include "blockedapplication.h"
#include "blockrefusal.h"
#include "privileges.h"
#include "programlookup.h"

#include <QCoreApplication>

ApplicationChoice applicationChoice(const BlockedApplication &application)
{
    const QString program = lookUpProgram(application.exec);
    // The privilege tools stay usable, so that the administrator can always gain root
    // rights; the tray is what lifts and restores the rules.
    if (isPrivilegeTool(program))
        return { false,
            QCoreApplication::translate(
                "ApplicationChoice", "This program gives administrator rights and is never blocked.") };
    if (program.contains(QLatin1String("tuvoratray")))
        return { false, QCoreApplication::translate("ApplicationChoice", "Tuvora's own tray is never blocked.") };
    // A program that is not installed here may be on the machines the policy goes to.
    if (program.isEmpty())
        return {};
    // What blocking itself would refuse: programs in folders others can change, and
    // those the system and the suite need.
    const QString refusal = blockRefusal(program);
    if (!refusal.isEmpty())
        return { false, refusal };
    return {};
}
