#pragma once

#include <QByteArray>

#include <functional>

class QObject;

// The internet log is the report of squid's access log that "yasla -C" prints, its
// lines that hold a "|". The analyser runs as root (squid's log is not the user's),
// and the internet log is only replaced when it has run through: a failed or missing
// analyser leaves the previous report in place.

// The report's lines that the internet log keeps.
QByteArray reportLines(const QByteArray &analyserOutput);

// Runs the analyser and writes the report; true when the internet log was replaced.
bool writeWebReport();

// The same without waiting, for a window that must keep drawing meanwhile: the
// analyser is started as root, the caller's thread goes on as the user, and `done`
// runs once the report is written (or was not), unless the context is gone by then.
void startWebReport(QObject *context, std::function<void(bool written)> done);
