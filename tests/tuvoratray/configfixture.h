#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The configuration as the tests of the tray's windows start from it: a machine in
// mode 0 with the given password and Log element.
QByteArray configWith(const QString &password, const QByteArray &logElement, int machineMode = 0);

// A Log element with the given values, in the file's own order.
QByteArray logElement(int shotInterval, int maxShots, bool screen, int applicationSize, bool application,
    int internetSize, bool internet, int fileSize, bool file);

// Installs the suite's squid log analyser where the windows run it.
void installLogAnalyser();

// Runs the action (a click on a Help button), and returns the page that the help
// viewer it opens shows; the viewer is closed again.
QString helpPageOpenedBy(const std::function<void()> &action);
