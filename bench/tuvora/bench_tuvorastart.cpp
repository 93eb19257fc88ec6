// Times the administration program from its start to its shown window, with a desktop
// menu of 3,000 applications that launcherlist exports on the way (no password stored,
// so no dialog). Prints each run and the median, and the exporter's time alone.
//
// Writes /usr/share/applications, /usr/bin and /etc/tuvora: runs only inside
// scripts/sandbox, as root, with Xvfb and xdotool installed.
//
//   bench_tuvorastart [RUNS]

#include "median.h"
#include "passwordcheck.h"
#include "paths.h"
#include "policyconfig.h"
#include "sandboxcheck.h"
#include "xvfbserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char *const Categories[] = { "Game;", "Office;", "Network;", "Graphics;", "Utility;", "Education;" };

void writeMenu(int entries)
{
    const QString dir = QStringLiteral("/usr/share/applications/tuvora-bench");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    for (int i = 0; i < entries; ++i) {
        QFile file(dir + QStringLiteral("/app-%1.desktop").arg(i, 4, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            std::exit(2);
        file.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Application %1\nComment=Does thing %1\n"
                                  "Icon=app-%1\nExec=/usr/bin/app-%1 %u\nCategories=%2\n")
                       .arg(i)
                       .arg(QLatin1String(Categories[i % 6]))
                       .toUtf8());
    }
}

bool windowShown(const QString &display)
{
    QProcess search;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            QStringLiteral("^Tuvora - Configuration$") });
    search.waitForFinished();
    return search.exitCode() == 0;
}

} // namespace

int main(int argc, char **argv)
{
    requireSandbox();
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    writeMenu(3000);
    QFile::remove(QStringLiteral("/usr/bin/launcherlist"));
    if (!QFile::copy(QStringLiteral(LAUNCHERLIST_PATH), QStringLiteral("/usr/bin/launcherlist")))
        return 2;
    writePassword(noPasswordValue());
    writeLanguage(QStringLiteral("en_US.UTF-8"));

    QElapsedTimer timer;
    std::vector<qint64> exporter;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        QProcess::execute(
            QStringLiteral("/usr/bin/launcherlist"), { QStringLiteral("-d"), Paths::path(Paths::ConfigDir) });
        exporter.push_back(timer.elapsed());
    }

    QProcess xvfb;
    const QString display = startXvfb(xvfb);
    if (display.isEmpty())
        return 2;

    std::vector<qint64> times;
    for (int run = 0; run < runs; ++run) {
        QProcess tuvora;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        tuvora.setProcessEnvironment(env);
        timer.restart();
        tuvora.start(QStringLiteral(TUVORA_PATH), QStringList());
        while (!windowShown(display) && timer.elapsed() < 60000)
            QThread::msleep(10);
        times.push_back(timer.elapsed());
        std::printf("run %d: start to shown window %lld ms\n", run + 1, static_cast<long long>(times.back()));
        tuvora.kill();
        tuvora.waitForFinished();
    }
    std::printf("launcherlist alone, 3,000 entries, median: %lld ms\n", static_cast<long long>(median(exporter)));
    std::printf("median of %d runs, start to shown window: %lld ms\n", runs, static_cast<long long>(median(times)));
    xvfb.kill();
    xvfb.waitForFinished();
    return 0;
}
