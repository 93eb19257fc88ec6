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
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
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
    QDir().mkpath(QStringLiteral("/var/log/squid"));
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

// Types the text into the search line one key at a time, each keystroke timed until
// the list is drawn again.
std::vector<double> typeTimed(preLog &window, QLineEdit *search, const QString &text)
{
    std::vector<double> times;
    for (const QChar c : text) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(search, c.toLatin1());
        window.repaint();
        QCoreApplication::processEvents();
        times.push_back(milliseconds(timer));
    }
    return times;
}

void report(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf(
        "%-44s median %7.1f ms  max %7.1f ms  (%zu keys)\n", what, times[times.size() / 2], times.back(), times.size());
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
        typeTimed(window, window.txtSearchFileLog, QStringLiteral("/home/user6/Documents/")));
    window.txtSearchFileLog->clear();
    QCoreApplication::processEvents();
    report("files search \"file1999\"", typeTimed(window, window.txtSearchFileLog, QStringLiteral("file1999")));

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
    report("internet search \"www12\"", typeTimed(window, window.txtSearchInternetLog, QStringLiteral("www12")));

    struct rusage usage
    {
    };
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
