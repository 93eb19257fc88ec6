// Opens the tray's log viewer over a 200,000-line file log and a 50 MB squid access log
// and times the opening, the keystrokes of a search, and the re-reading once typing
// pauses. Writes the suite's fixed paths, so it runs inside the sandbox:
//
//   QT_QPA_PLATFORM=offscreen scripts/sandbox build/bench/tuvoratray/bench_logviewer

#include "paths.h"
#include "prelog.h"
#include "webreport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {

constexpr int FileLogLines = 200000;
constexpr qint64 AccessLogBytes = 50 * 1024 * 1024;

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// What a day of a busy home folder leaves: one line in four is a hidden file, which
// the first opening removes.
QByteArray fileLog()
{
    static const char *const events[] = { "IN_CLOSE_NOWRITE", "IN_CREATE", "IN_CLOSE_WRITE", "IN_DELETE" };
    QByteArray log;
    log.reserve(FileLogLines * 80);
    for (int i = 0; i < FileLogLines; ++i) {
        const QByteArray user = "user" + QByteArray::number(i % 40);
        const QByteArray file = i % 4 == 3
            ? ".cache/mozilla/entry" + QByteArray::number(i)
            : "Documents/project" + QByteArray::number(i % 500) + "/file" + QByteArray::number(i) + ".odt";
        log += QByteArray(events[i % 4]) + "^/home/" + user + '/' + file
            + "^2024-05-02 14:" + QByteArray::number(10 + i % 50) + ":00\n";
    }
    return log;
}

QByteArray accessLog()
{
    QByteArray log;
    log.reserve(AccessLogBytes + 200);
    for (int i = 0; log.size() < AccessLogBytes; ++i) {
        log += QByteArray::number(1700000000 + i) + ".123 " + QByteArray::number(100 + i % 900) + " 192.168.0."
            + QByteArray::number(i % 250) + " TCP_MISS/200 " + QByteArray::number(1000 + i % 50000) + " GET http://www"
            + QByteArray::number((i * 7919) % 5000) + ".example.com/path/page" + QByteArray::number(i)
            + ".html - HIER_DIRECT/10.0.0." + QByteArray::number(i % 250) + " text/html\n";
    }
    return log;
}

void prepare()
{
    writeFile(Paths::path(Paths::ConfigFile),
        "<TuvoraConfig><Type>0</Type><Log><InternetLog><LogSize>50</LogSize><logEnabled>1</logEnabled>"
        "</InternetLog></Log></TuvoraConfig>\n");
    writeFile(Paths::path(Paths::FilesLog), fileLog());
    QDir().mkpath(QFileInfo(Paths::path(Paths::SquidAccessLog)).path());
    writeFile(Paths::path(Paths::SquidAccessLog), accessLog());
    QByteArray applications;
    for (int i = 0; i < 1000; ++i)
        applications += "/usr/games/game" + QByteArray::number(i % 30) + "^2024-05-02 10:00\n";
    writeFile(Paths::path(Paths::ApplicationsLog), applications);
    QFile::remove(Paths::path(Paths::LogAnalyser));
    QFile::copy(QStringLiteral(SOURCE_DIR "/system/bin/yasla"), Paths::path(Paths::LogAnalyser));
    QFile(Paths::path(Paths::LogAnalyser)).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A keystroke's cost: the time until the list is drawn again, and the processor time
// the window's thread spent on it, which other work on a busy machine does not inflate.
struct KeyTime
{
    double wall = 0;
    double cpu = 0;
};

std::vector<KeyTime> typeTimed(preLog &window, QLineEdit *search, const QString &text)
{
    std::vector<KeyTime> times;
    for (const QChar c : text) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMilliseconds();
        QTest::keyClick(search, c.toLatin1());
        window.repaint();
        QCoreApplication::processEvents();
        times.push_back({ milliseconds(timer), threadCpuMilliseconds() - cpu });
    }
    return times;
}

// Types the text three times over, from an empty search line each time, and keeps
// each keystroke's best times.
std::vector<KeyTime> typeBestOfThree(preLog &window, QLineEdit *search, const QString &text)
{
    std::vector<KeyTime> best;
    for (int run = 0; run < 3; ++run) {
        search->clear();
        window.repaint();
        QCoreApplication::processEvents();
        const std::vector<KeyTime> times = typeTimed(window, search, text);
        if (best.empty())
            best = times;
        for (size_t i = 0; i < times.size(); ++i) {
            best[i].wall = std::min(best[i].wall, times[i].wall);
            best[i].cpu = std::min(best[i].cpu, times[i].cpu);
        }
    }
    return best;
}

void report(const char *what, const std::vector<KeyTime> &times)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const KeyTime &time : times) {
        wall.push_back(time.wall);
        cpu.push_back(time.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-40s %zu keys, best of 3: median %5.1f ms, max %5.1f ms; processor median %5.1f ms, max %5.1f ms\n",
        what, times.size(), wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2], cpu.back());
}

} // namespace

int main(int argc, char **argv)
{
    if (qgetenv("TUVORA_SANDBOX") != "inside") {
        std::fprintf(stderr, "Run inside scripts/sandbox: this writes the suite's fixed paths.\n");
        return 2;
    }
    QApplication app(argc, argv);
    prepare();
    std::printf("file log %d lines, %lld bytes; squid access log %lld bytes\n", FileLogLines,
        QFile(Paths::path(Paths::FilesLog)).size(), QFile(Paths::path(Paths::SquidAccessLog)).size());

    {
        QElapsedTimer timer;
        timer.start();
        writeWebReport();
        std::printf("%-44s %7.0f ms\n", "yasla -C over the access log", milliseconds(timer));
    }
    for (const char *opening : { "first opening (clean-up removes 50,000 lines)", "second opening" }) {
        QElapsedTimer timer;
        timer.start();
        preLog window;
        const double constructed = milliseconds(timer);
        window.show();
        QCoreApplication::processEvents();
        std::printf("%-44s %7.0f ms (window built %0.f ms); %d file rows, %d web rows\n", opening, milliseconds(timer),
            constructed, window.lstFileLog->topLevelItemCount(), window.lstInternetLog->topLevelItemCount());
        if (opening[0] == 's')
            break;
    }

    preLog window;
    window.show();
    window.lstOptions->setCurrentItem(window.lstOptions->topLevelItem(1));
    window.tabWidget4->setCurrentIndex(1);
    QCoreApplication::processEvents();
    report("files search \"/home/user6/Documents/\"",
        typeBestOfThree(window, window.txtSearchFileLog, QStringLiteral("/home/user6/Documents/")));
    report("files search \"file1999\"", typeBestOfThree(window, window.txtSearchFileLog, QStringLiteral("file1999")));

    // Once typing pauses, the files log is read again: as it was, then grown by what
    // the watcher wrote meanwhile, then changed throughout.
    const auto timedPause = [&](const char *what) {
        QElapsedTimer pause;
        pause.start();
        QTest::qWait(preLog::SearchPauseMilliseconds + 50);
        std::printf(
            "%-44s %7.0f ms beyond the pause\n", what, milliseconds(pause) - preLog::SearchPauseMilliseconds - 50);
    };
    QTest::keyClick(window.txtSearchFileLog, Qt::Key_Backspace);
    timedPause("files log read again, unchanged");
    QFile log(Paths::path(Paths::FilesLog));
    log.open(QIODevice::Append);
    log.write(QByteArray("IN_CREATE^/home/user1/file19990.odt^2024-05-02 15:00:00\n").repeated(100));
    log.close();
    QTest::keyClick(window.txtSearchFileLog, '9');
    timedPause("files log read again, 100 lines added");
    writeFile(Paths::path(Paths::FilesLog), "IN_CREATE^/home/user1/a^t\n" + fileLog());
    QTest::keyClick(window.txtSearchFileLog, Qt::Key_Backspace);
    timedPause("files log read again, changed throughout");

    window.tabWidget4->setCurrentIndex(2);
    QCoreApplication::processEvents();
    report("internet search \"www12\"", typeBestOfThree(window, window.txtSearchInternetLog, QStringLiteral("www12")));

    struct rusage usage
    {
    };
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
