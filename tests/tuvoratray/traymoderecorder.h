#pragma once

#include "traymodecontrol.h"

#include <QStringList>

// Stands in for the tray's menu: records each change the network mode asks for.
class TrayModeRecorder : public TrayModeControl
{
public:
    void showNetworkMode() override { calls << QStringLiteral("network"); }
    void showTeacherMode() override { calls << QStringLiteral("teacher"); }
    void showLocalModeAgain() override { calls << QStringLiteral("local"); }
    void restartAdminProgram() override { calls << QStringLiteral("restart admin"); }
    bool isBusy() const override { return busy; }

    QStringList calls;
    bool busy = false;
};
