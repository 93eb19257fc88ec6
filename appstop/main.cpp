#include "gate.h"
#include "translationchoice.h"
#include "setuidstart.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    // Set-user-id root and startable by anyone: nothing of the caller's environment
    // or command line reaches the toolkit.
    startSetuidProgram();

    // The invoked name of the blocked program; further arguments are ignored, and the
    // toolkit sees none of them.
    const QString invokedName = argc > 0 && argv[0] ? QFile::decodeName(argv[0]) : QStringLiteral("appstop");

    // Root is needed for the configuration alone. The toolkit reads the caller's font
    // and logging settings and makes a runtime folder: it runs as the caller, with no
    // way back to root.
    const QString language = configuredLanguage();
    if (!dropRootForGood()) {
        std::fputs("appstop: cannot leave root, not started\n", stderr);
        return 1;
    }

    ToolkitArguments toolkit("appstop");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        // The toolkit would abort without a display; the gate still has its say.
        QCoreApplication app(toolkit.argc(), toolkit.argv());
        return runGateWithoutDisplay(invokedName, language);
    }
    QApplication app(toolkit.argc(), toolkit.argv());
    return runGate(invokedName, language);
}
