#pragma once

#include <QStringList>

// Records the command lines the engine runs, in order, while it lives.
class CommandRecorder
{
public:
    CommandRecorder();
    ~CommandRecorder();
    CommandRecorder(const CommandRecorder &) = delete;
    CommandRecorder &operator=(const CommandRecorder &) = delete;

    const QStringList &commands() const { return m_commands; }
    void clear() { m_commands.clear(); }

private:
    QStringList m_commands;
};
