#include "pretrayicon.h"
#include "sessionbus.h"
#include "sessionlock.h"
#include "setuidstart.h"
#include "terminationwatch.h"
#include "traylanguage.h"
#include "webredirect.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char Usage[] = "Usage: tuvoratray\n"
                     "The tray supervisor of Tuvora, started by every desktop session. It takes no options.\n";

// The toolkit never sees the command line; only these two answer without starting.
int answerCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::puts("tuvoratray 1.0");
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    // Set-user-id root and started by the user: nothing of the caller's environment or
    // command line reaches root or the toolkit.
    startSetuidProgram();
    if (const int answered = answerCommandLine(argc, argv); answered >= 0)
        return answered;

    // Root's work before the toolkit. A second tray of the session changes nothing.
    SessionLock lock;
    if (!lock.acquire(callerUid(), std::getenv("DISPLAY")))
        return 0;
    if (!prepareSessionBus(callerUid())) {
        std::fputs("tuvoratray: cannot give the real user id back\n", stderr);
        return 1;
    }
    restoreWebRedirect();
    TerminationWatch::install();
    if (!runAsCaller()) {
        std::fputs("tuvoratray: cannot switch to the invoking user\n", stderr);
        return 1;
    }

    ToolkitArguments toolkit("tuvoratray");
    QApplication::setSetuidAllowed(true);
    auto *application = new QApplication(toolkit.argc(), toolkit.argv());
    QApplication::setApplicationName(QStringLiteral("Tuvora - Tray"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tuvoratray"));
    // The tray has no window whose closing should end it.
    QApplication::setQuitOnLastWindowClosed(false);
    chooseTrayLanguage(*application, qEnvironmentVariable("LANG"));

    auto *tray = new preTrayIcon(application);
    auto *termination = new TerminationNotifier(tray);
    QObject::connect(termination, &TerminationNotifier::terminationRequested, tray, &preTrayIcon::onTermination);
    QObject::connect(tray, &preTrayIcon::ended, application, [] { QCoreApplication::exit(0); });
    QApplication::exec();

    // Only the administrator's Exit takes the web redirect out; whatever else ended the
    // loop leaves it in place.
    if (tray->ending() == preTrayIcon::Ending::Closed)
        removeWebRedirect();
    delete tray;
    delete application;
    std::exit(0);
}
