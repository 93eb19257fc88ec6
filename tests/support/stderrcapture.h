#pragma once

#include <QByteArray>

#include <functional>

// Runs the work with the process's standard error going to a temporary file, and
// returns what was written there: the engine's diagnostics go straight to the stream.
QByteArray captureStderr(const std::function<void()> &work);
