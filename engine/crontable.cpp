#include "crontable.h"

#include "commandrunner.h"
#include "filewriter.h"
#include "paths.h"
#include "rootfolder.h"

#include <QRegularExpression>
#include <QTextStream>

namespace {

void diagnostic(const char *text)
{
    QTextStream(stderr) << text << '\n';
}

enum class TableState { Failed, Missing, Present };

// Root's table as "crontab -u root -l" prints it. Only "no crontab" counts as empty: a
// table that cannot be read must not be replaced by the suite's lines alone.
TableState readRootTable(QByteArray &table)
{
    const CommandOutput listing = captureProgram(
        QStringLiteral("crontab"), { QStringLiteral("-u"), QStringLiteral("root"), QStringLiteral("-l") });
    if (listing.succeeded()) {
        table = listing.standardOutput;
        return TableState::Present;
    }
    table.clear();
    if (listing.status != -1 && listing.standardError.startsWith("no crontab for "))
        return TableState::Missing;
    diagnostic("Root's cron table cannot be read; it is kept as it is");
    return TableState::Failed;
}

bool installTable(const QByteArray &table)
{
    const QString staging = Paths::path(Paths::CronStaging);
    if (!ensureRootFolder(Paths::StateDir, 0755))
        return false;
    removeLeftoverTemporaries(staging);
    if (!replaceFile(staging, table, 0600)) {
        QTextStream(stderr) << "Error writing file: " << staging << "; root's cron table is kept as it is\n";
        return false;
    }
    if (!commandSucceeded(runCommand(fillCommand(QStringLiteral("crontab -u root %1"), { staging })))) {
        diagnostic("crontab did not install root's cron table; the old one stays");
        return false;
    }
    return true;
}

} // namespace

bool isSuiteCronLine(const QByteArray &line)
{
    // Earlier versions touched their warning markers in /tmp.
    static const QRegularExpression suiteLine(
        QStringLiteral("^(00|55) [0-9,]+ \\* \\* [0-6]  (%1 -1 (activate|schedule_deactivation) [0-9]+"
                       "|%2 (%3|/tmp)/policy[a-z]*warning)$")
            .arg(QRegularExpression::escape(Paths::path(Paths::ActivatorProgram)),
                QRegularExpression::escape(Paths::path(Paths::Touch)),
                QRegularExpression::escape(Paths::path(Paths::StateDir))));
    return suiteLine.match(QString::fromUtf8(line)).hasMatch();
}

QByteArray mergeCronTable(const QByteArray &rootTable, const QByteArray &suiteLines)
{
    QList<QByteArray> kept;
    for (const QByteArray &line : rootTable.split('\n')) {
        if (!isSuiteCronLine(line))
            kept.append(line);
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    QByteArray merged;
    for (const QByteArray &line : kept)
        merged += line + '\n';
    return merged + suiteLines;
}

bool installSuiteCronLines(const QByteArray &suiteLines)
{
    QByteArray table;
    if (readRootTable(table) == TableState::Failed)
        return false;
    return installTable(mergeCronTable(table, suiteLines));
}

bool removeSuiteCronLines()
{
    QByteArray table;
    const TableState state = readRootTable(table);
    if (state != TableState::Present)
        return state == TableState::Missing;
    const QByteArray rest = mergeCronTable(table, {});
    if (rest == table)
        return true;
    if (!rest.trimmed().isEmpty())
        return installTable(rest);
    if (!commandSucceeded(runCommand(QStringLiteral("crontab -u root -r")))) {
        diagnostic("crontab did not remove root's cron table");
        return false;
    }
    return true;
}
