#include "gate.h"
#include "setuidstart.h"

#include <QApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char **argv)
{
    // Set-user-id root and startable by anyone: nothing of the caller's environment
    // or command line reaches the toolkit.
    startSetuidProgram();

    const uid_t realUid = getuid();
    [[maybe_unused]] int rc = seteuid(0);

    // The invoked name of the blocked program; further arguments are ignored, and the
    // toolkit sees none of them.
    const QString invokedName = argc > 0 && argv[0] ? QFile::decodeName(argv[0]) : QStringLiteral("appstop");
    ToolkitArguments toolkit("appstop");

    QCoreApplication::setSetuidAllowed(true);
    int status = 0;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        // The toolkit would abort without a display; the gate still has its say.
        QCoreApplication app(toolkit.argc(), toolkit.argv());
        status = runGateWithoutDisplay(invokedName);
    } else {
        QApplication app(toolkit.argc(), toolkit.argv());
        status = runGate(invokedName);
    }

    rc = seteuid(realUid);
    return status;
}
