// Loads and saves a school-sized policy: 100,000 black-list domains, 100,000 white-list
// domains, 10,000 words and 200 applications. Prints the median of each, the file size
// and the peak resident memory of one load and one save in a fresh process. A run in
// which a save or a load does not do its whole work says that it failed and exits 1.
//
//   bench_policyio [DIRECTORY] [RUNS]

#include "median.h"
#include "policy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qsizetype Domains = 100000;

Policy schoolPolicy(const QString &path)
{
    Policy policy(1);
    policy.filePath = path;
    policy.name = QStringLiteral("District filter");
    policy.description = QStringLiteral("Everything the district blocks");
    for (int i = 0; i < Domains; ++i) {
        policy.internet.urls.append(QStringLiteral("www.blocked-site-%1.example.org").arg(i, 6, 10, QLatin1Char('0')));
        policy.internet.urlsWhite.append(
            QStringLiteral("learning-site-%1.school.example.net").arg(i, 6, 10, QLatin1Char('0')));
    }
    for (int i = 0; i < 10000; ++i)
        policy.internet.content.append(QStringLiteral("palavrão proibido %1").arg(i));
    for (int i = 0; i < 200; ++i) {
        BlockedApplication application;
        application.name = QStringLiteral("Game %1").arg(i);
        application.description = QStringLiteral("A game that is not for school hours, number %1").arg(i);
        application.icon = QStringLiteral("game-%1").arg(i);
        application.exec = QStringLiteral("/usr/games/game-%1 %u").arg(i);
        application.desktopFile = QStringLiteral("/usr/share/applications/org.example.Game%1.desktop").arg(i);
        application.permissions = QStringLiteral("0755");
        policy.applications.insert(application.desktopFile, application);
    }
    for (int cell = 0; cell < WeekGrid::Cells; cell += 2) {
        policy.applicationGrid[cell] = 0;
        policy.internetGrid[cell + 1] = 0;
    }
    return policy;
}

bool wholePolicy(const Policy &policy)
{
    return policy.internet.urls.size() == Domains && policy.internet.urlsWhite.size() == Domains;
}

int failed(const char *what, const QString &path)
{
    std::fprintf(stderr, "bench_policyio: failed: %s %s\n", what, qPrintable(path));
    return 1;
}

long peakKilobytesOfOneLoadAndSave(const QString &path)
{
    const pid_t child = fork();
    if (child == 0) {
        Policy policy(path);
        policy.save();
        _exit(wholePolicy(policy) ? 0 : 1);
    }
    int status = 0;
    struct rusage usage
    {
    };
    wait4(child, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 11;
    const QString path = QDir(directory).filePath(QStringLiteral("policy_bench.xml"));

    schoolPolicy(path).save();
    if (!wholePolicy(Policy(path)))
        return failed("cannot save and load the policy at", path);
    const double megabytes = double(QFileInfo(path).size()) / (1024.0 * 1024.0);

    std::vector<double> loads, saves;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        Policy policy(path);
        loads.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!wholePolicy(policy))
            return failed("the policy read back incomplete from", path);
        timer.restart();
        policy.save();
        saves.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const long peak = peakKilobytesOfOneLoadAndSave(path);
    if (peak < 0)
        return failed("the load and save in a fresh process did not complete on", path);

    std::printf("policy file: %.1f MB\n", megabytes);
    std::printf("load: median %.1f ms over %d runs (min %.1f, max %.1f)\n", median(loads), runs,
        *std::min_element(loads.begin(), loads.end()), *std::max_element(loads.begin(), loads.end()));
    std::printf("save: median %.1f ms over %d runs (min %.1f, max %.1f)\n", median(saves), runs,
        *std::min_element(saves.begin(), saves.end()), *std::max_element(saves.begin(), saves.end()));
    std::printf("peak resident memory of one load and save: %.1f MB\n", double(peak) / 1024.0);
    QFile::remove(path);
    return 0;
}
