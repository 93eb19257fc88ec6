#include "gate.h"

#include "commandrunner.h"
#include "contextfitler.h"
#include "messagebox.h"
#include "policyconfig.h"
#include "translationchoice.h"

#include <QApplication>

#include <cstdio>

QString blockedProgramPath(const QString &invokedName)
{
    const QString path = whichProgram(invokedName);
    return path.isEmpty() ? invokedName : path;
}

QString gateMessage(const QString &programPath)
{
    return QCoreApplication::translate("appstop",
               "You (or a program running on your computer) are trying to launch the following restricted application:")
        + QLatin1Char('\n') + programPath + QLatin1Char('\n')
        + QCoreApplication::translate("appstop", "To launch it, you must be on Free of Control mode.");
}

int runGateWithoutDisplay(const QString &invokedName, const QString &language)
{
    const auto translations = installTranslations(QStringLiteral("appstop_"), language);
    const QString text = QCoreApplication::translate("appstop", "Tuvora - Alert") + QLatin1Char('\n')
        + gateMessage(blockedProgramPath(invokedName)) + QLatin1Char('\n');
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    return 0;
}

int runGate(const QString &invokedName, const QString &language)
{
    const auto translations = installTranslations(QStringLiteral("appstop_"), language);

    contextFitler filter;
    qApp->installEventFilter(&filter);

    const QString path = blockedProgramPath(invokedName);
    // One line for whoever started the program from a terminal or a log.
    std::fprintf(stderr, "appstop: restricted application: %s\n", path.toLocal8Bit().constData());
    std::fflush(stderr);

    MessageBox::warning(nullptr, QCoreApplication::translate("appstop", "Tuvora - Alert"), gateMessage(path),
        { QCoreApplication::translate("appstop", "OK") }, 0, -1);

    qApp->removeEventFilter(&filter);
    return 0;
}
