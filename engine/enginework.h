#pragma once

#include <functional>

class QObject;

// Activation restarts services and takes seconds. The desktop programs run such engine
// work on a worker thread, so that their windows stay painted meanwhile; the root
// stretches inside the work raise only the worker's effective user, never the GUI
// thread's. The caller holds the window's input while the work runs.

// Starts the work and returns at once; `done` runs on the context's thread when the
// work has ended (never, if the context is gone by then).
void runEngineWork(QObject *context, std::function<void()> work, std::function<void()> done);

// Runs the work and returns when it has ended, keeping the calling thread's events
// going meanwhile (a local event loop).
void runEngineWorkAndWait(std::function<void()> work);
