#include "commandrecorder.h"

#include "commandrunner.h"

CommandRecorder::CommandRecorder()
{
    setCommandObserver([this](const QString &commandLine) { m_commands.append(commandLine); });
}

CommandRecorder::~CommandRecorder()
{
    setCommandObserver({});
}
