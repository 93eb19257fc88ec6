#pragma once

#include <QString>

// The program that an application's command line starts: its first blank-separated
// word, looked up as "which" does, in this process, against the suite's fixed search
// path. Empty when nothing is found; a word that which would take for an option names
// no program.
QString lookUpProgram(const QString &exec);
