#include "commandrunner.h"

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

CommandObserver &observer()
{
    static CommandObserver instance;
    return instance;
}

void report(const QString &commandLine)
{
    if (observer())
        observer()(commandLine);
    const char *logPath = std::getenv("TUVORA_COMMAND_LOG");
    if (logPath && *logPath) {
        if (FILE *log = std::fopen(logPath, "a")) {
            const QByteArray line = commandLine.toLocal8Bit();
            std::fwrite(line.constData(), 1, size_t(line.size()), log);
            std::fputc('\n', log);
            std::fclose(log);
        }
    }
}

bool isShellSafe(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return true;
    switch (u) {
    case '/': case '.': case '_': case '-': case '+': case ',': case ':': case '@': case '%': case '=':
        return true;
    default:
        return u > 127 && c.isLetterOrNumber();
    }
}

} // namespace

int runCommand(const QString &commandLine)
{
    report(commandLine);
    std::fflush(nullptr);
    return std::system(commandLine.toLocal8Bit().constData());
}

QString whichProgram(const QString &program)
{
    // A word that which would take for an option names no program.
    if (program.isEmpty() || program.startsWith(QLatin1Char('-')))
        return {};
    const QString commandLine = fillCommand(QStringLiteral("which %1"), {program});
    report(commandLine);
    std::fflush(nullptr);
    FILE *pipe = popen(commandLine.toLocal8Bit().constData(), "r");
    if (!pipe)
        return {};
    char word[500] = {};
    const int matched = std::fscanf(pipe, "%499s", word);
    pclose(pipe);
    return matched == 1 ? QString::fromLocal8Bit(word) : QString();
}

QString shellQuote(const QString &value)
{
    if (!value.isEmpty() && std::all_of(value.cbegin(), value.cend(), isShellSafe))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString fillCommand(const QString &commandTemplate, const QStringList &values)
{
    QString result;
    result.reserve(commandTemplate.size() + 32);
    for (qsizetype i = 0; i < commandTemplate.size(); ++i) {
        const QChar c = commandTemplate.at(i);
        if (c == QLatin1Char('%') && i + 1 < commandTemplate.size() && commandTemplate.at(i + 1).isDigit()) {
            const int index = commandTemplate.at(i + 1).digitValue() - 1;
            if (index >= 0 && index < values.size()) {
                result += shellQuote(values.at(index));
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

void setCommandObserver(CommandObserver newObserver)
{
    observer() = std::move(newObserver);
}
