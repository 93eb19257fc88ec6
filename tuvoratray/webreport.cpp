#include "webreport.h"

#include "filewriter.h"
#include "loglines.h"
#include "paths.h"
#include "privileges.h"

#include <QObject>
#include <QPointer>
#include <QProcess>

#include <unistd.h>

namespace {

// Who may read the web report: root and the administrators' group.
constexpr mode_t ReportFileMode = 0640;

// The analyser is a shell script, and the shell drops an effective root that the real
// user id does not share: the child becomes root through and through.
void startAnalyser(QProcess &process)
{
    process.setProgram(Paths::path(Paths::LogAnalyser));
    process.setArguments({ QStringLiteral("-C") });
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([] {
        if (::geteuid() == 0) [[maybe_unused]]
            const int rc = ::setuid(0);
    });
    asRoot([&] { process.start(); });
}

bool saveReport(QProcess &process)
{
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    const QByteArray report = reportLines(process.readAllStandardOutput());
    return asRoot([&] { return replaceFile(Paths::path(Paths::InternetLog), report, ReportFileMode); });
}

} // namespace

QByteArray reportLines(const QByteArray &analyserOutput)
{
    return keptLines(analyserOutput, [](QByteArrayView line) { return line.contains('|'); });
}

bool writeWebReport()
{
    QProcess process;
    startAnalyser(process);
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1))
        return false;
    return saveReport(process);
}

void startWebReport(QObject *context, std::function<void(bool written)> done)
{
    // The analyser runs as root and cannot be stopped by the user: a window closed
    // meanwhile lets it finish and write the report, and is not told.
    auto *process = new QProcess;
    const QPointer<QObject> receiver(context);
    const auto finish = [process, receiver, done](bool written) {
        process->deleteLater();
        if (receiver && done)
            done(written);
    };
    QObject::connect(process, &QProcess::finished, process, [process, finish] { finish(saveReport(*process)); });
    QObject::connect(process, &QProcess::errorOccurred, process, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(false);
    });
    startAnalyser(*process);
}
