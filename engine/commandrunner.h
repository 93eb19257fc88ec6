#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The engine changes the system by running fixed shell command lines. Values taken
// from policies and paths are put into them only through shellQuote/fillCommand, so
// that each reaches the command as one piece of data.

// Runs a command line through /bin/sh and waits for it; the exit status is returned
// for the few callers that care, most ignore it. Inside a root stretch of a
// set-user-id program the command runs as root in full (real ids too), since the
// shell would otherwise fall back to the invoking user.
int runCommand(const QString &commandLine);

// True when a status returned by runCommand says the command ran and exited with 0.
bool commandSucceeded(int status);

// What a program run without a shell printed, and how it ended.
struct CommandOutput
{
    int status = -1; // as waitpid reports it; -1 when the program could not be started
    QByteArray standardOutput;
    QByteArray standardError;

    bool succeeded() const { return commandSucceeded(status); }
};

// Runs a program found on the search path with its arguments, no shell between, and
// waits for it, capturing both of its output streams.
CommandOutput captureProgram(const QString &program, const QStringList &arguments);

// Runs "which PROGRAM" and returns the first white-space-delimited word of its
// output (at most 499 characters), or an empty string when it prints nothing.
QString whichProgram(const QString &program);

// Quotes a value for the shell. Values made only of characters that the shell takes
// literally are returned as they are, so ordinary command lines read exactly as the
// documented ones; anything else is put between single quotes.
QString shellQuote(const QString &value);

// Replaces %1, %2, ... in a command template by the quoted values.
QString fillCommand(const QString &commandTemplate, const QStringList &values);

// Test seam: when set, every command line is reported to the observer before it
// runs. The environment variable TUVORA_COMMAND_LOG, when it names a file, receives
// the same lines (one per line) for tests that run the programs themselves.
using CommandObserver = std::function<void(const QString &commandLine)>;
void setCommandObserver(CommandObserver observer);
