#include "contextfitler.h"
#include "preabout.h"
#include "prepolicyselection.h"
#include "setuidstart.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    // Set-user-id root and startable by anyone: nothing of the caller's environment or
    // command line reaches the toolkit.
    startSetuidProgram();
    // Until the password gate is passed, the program is whoever started it; root stays
    // the saved id. The toolkit never runs as root.
    if (!runAsCaller()) {
        std::fputs("tuvora: cannot act as the invoking user\n", stderr);
        return 1;
    }

    // --help and --version answer before any display is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCoreApplication::setApplicationName(QStringLiteral("tuvora"));
    QCoreApplication::setApplicationVersion(productVersion());
    readTuvoraCommandLine(arguments);
    ToolkitArguments toolkit("tuvora");
    QApplication app(toolkit.argc(), toolkit.argv());

    const auto translations = installTuvoraTranslation();
    makeMarkerDirectory();
    if (!passAdministratorGate())
        return 0;

    // The root phase: the menu exporter runs as root. Nothing of the toolkit runs
    // meanwhile: the start-up waits for the exporter without an event loop.
    [[maybe_unused]] int rc = seteuid(0);
    rc = setuid(0);
    exportApplicationMenu();
    // The window phase: the invoking user acts, and root, the real id now, is there for
    // the engine's root stretches. The setuid call leaves the real id at 0.
    rc = seteuid(callerUid());
    rc = setuid(callerUid());

    prePolicySelection window(&app);
    window.show();
    contextFitler filter;
    window.installEventFilter(&filter);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &QCoreApplication::quit);
    app.exec();

    removeStaleLockFile();
    return 0;
}
