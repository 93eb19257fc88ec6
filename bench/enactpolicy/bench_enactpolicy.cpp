// Times "enactpolicy x" as cron runs it, on one active black-list policy with 100,000
// domains, 1,000 words and 50 applications, and on one white-list policy with 100,000
// domains, every hour restricted. Prints the median wall time of RUNS runs of each
// (the first black-list run, which moves the 50 programs aside, is shown apart).
// With --literal it also times, once per list, the one-shell-per-entry way of writing
// the same list ("echo "%1" >> LIST" for every entry) and prints the ratio.
//
// Changes /etc, /usr and root's cron table: runs only inside scripts/sandbox.
//
//   bench_enactpolicy [RUNS] [--literal]

#include "median.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "policystore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace {

// A folder of the suite's search path, where enactpolicy looks for programs.
const QString AppDirectory = QStringLiteral("/usr/local/bin");
const QString AppPrefix = QStringLiteral("tuvora-bench-game-");

void writeFile(const QString &path, const QByteArray &content, mode_t mode = 0644)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
    file.close();
    ::chmod(QFile::encodeName(path).constData(), mode);
}

void prepareSystem()
{
    writeFile(PolicyConfig::filePath(), "<TuvoraConfig><Status>1</Status><Type>0</Type></TuvoraConfig>\n", 0600);
    writeFile(Paths::path(Paths::GateScript), "#!/bin/sh\nexec appstop\n", 0755);
    QDir().mkpath(AppDirectory);
    const QDir apps(AppDirectory);
    for (const QString &old : apps.entryList({ AppPrefix + QLatin1Char('*') }, QDir::Files | QDir::System))
        QFile::remove(apps.filePath(old));
    for (int i = 0; i < 50; ++i)
        writeFile(apps.filePath(AppPrefix + QString::number(i)), "#!/bin/sh\necho game\n", 0755);
}

QStringList domains(const char *pattern)
{
    QStringList list;
    list.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        list.append(QString::fromLatin1(pattern).arg(i, 6, 10, QLatin1Char('0')));
    return list;
}

Policy blackListPolicy()
{
    Policy policy(1);
    policy.name = QStringLiteral("District black list");
    policy.active = true;
    policy.internet.urls = domains("www.blocked-site-%1.example.org");
    for (int i = 0; i < 1000; ++i)
        policy.internet.content.append(QStringLiteral("palavra proibida %1").arg(i));
    for (int i = 0; i < 50; ++i) {
        BlockedApplication application;
        application.name = QStringLiteral("Game %1").arg(i);
        application.exec = AppPrefix + QStringLiteral("%1 %u").arg(i);
        application.desktopFile = QStringLiteral("/usr/share/applications/org.example.Game%1.desktop").arg(i);
        policy.applications.insert(application.desktopFile, application);
    }
    return policy;
}

Policy whiteListPolicy()
{
    Policy policy(1);
    policy.name = QStringLiteral("District white list");
    policy.active = true;
    policy.internet.listType = 1;
    policy.internet.urlsWhite = domains("learning-site-%1.school.example.net");
    return policy;
}

double runEnactPolicy()
{
    QElapsedTimer timer;
    timer.start();
    if (std::system(ENACTPOLICY_PATH " x 2>/dev/null") != 0)
        std::fprintf(stderr, "enactpolicy failed\n");
    return double(timer.nsecsElapsed()) / 1e9;
}

// The list written the literal way: one shell per entry. The benchmark's entries are
// plain domain names, so pasting them between double quotes is safe here.
double literalAppends(const QStringList &entries, const char *prefix, const char *list)
{
    QFile::remove(QLatin1String(list));
    QElapsedTimer timer;
    timer.start();
    for (const QString &entry : entries) {
        const QByteArray command = "echo \"" + QByteArray(prefix) + entry.toUtf8() + "\" >> " + list;
        [[maybe_unused]] const int status = std::system(command.constData());
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

qsizetype lineCount(const char *path)
{
    QFile file { QString::fromLatin1(path) };
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
}

double measure(const char *title, const Policy &policy, int runs, bool firstApart)
{
    QDir(PolicyStore::directory()).removeRecursively();
    QDir().mkpath(PolicyStore::directory());
    policy.save();
    std::vector<double> times;
    if (firstApart)
        std::printf("%s: first run (moves the programs aside) %.3f s\n", title, runEnactPolicy());
    for (int i = 0; i < runs; ++i)
        times.push_back(runEnactPolicy());
    const double result = median(times);
    std::printf("%s: left %lld sites, %lld white-list domains, %lld phrases, %lld programs moved aside\n", title,
        qlonglong(lineCount(Paths::SiteList)), qlonglong(lineCount(Paths::SquidWhiteList)),
        qlonglong(lineCount(Paths::PhraseList)),
        qlonglong(QDir(AppDirectory).entryList({ AppPrefix + QStringLiteral("*.tuvora") }, QDir::Files).size()));
    std::printf("%s: enactpolicy x, median of %d runs %.3f s (min %.3f, max %.3f)\n", title, runs, result,
        *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    if (qgetenv("TUVORA_SANDBOX") != "inside") {
        std::fprintf(stderr, "bench_enactpolicy changes system paths and runs only inside scripts/sandbox.\n");
        return 2;
    }
    int runs = 7;
    bool literal = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--literal")
            literal = true;
        else
            runs = std::max(1, std::atoi(argv[i]));
    }

    prepareSystem();
    const Policy black = blackListPolicy();
    const Policy white = whiteListPolicy();
    const double blackMedian = measure("black list, 100,000 domains, 1,000 words, 50 applications", black, runs, true);
    const double whiteMedian = measure("white list, 100,000 domains", white, runs, false);

    if (literal) {
        const double blackLiteral = literalAppends(black.internet.urls, "", Paths::SiteList);
        std::printf(
            "black list: 100,000 one-shell appends %.1f s; literal run about %.1f s, %.0f times the median above\n",
            blackLiteral, blackLiteral + blackMedian, (blackLiteral + blackMedian) / blackMedian);
        const double whiteLiteral = literalAppends(white.internet.urlsWhite, ".", Paths::SquidWhiteList);
        std::printf(
            "white list: 100,000 one-shell appends %.1f s; literal run about %.1f s, %.0f times the median above\n",
            whiteLiteral, whiteLiteral + whiteMedian, (whiteLiteral + whiteMedian) / whiteMedian);
    }
    return 0;
}
