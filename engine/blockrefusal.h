#pragma once

#include <QString>

// Whether the application back-end may block a program, and why not. Only a program
// that no other user can swap, rename or link around may be moved aside by root: its
// file (or link) and every folder above it must be root's and writable by nobody else.
// Never blocked, under whatever path or link they are reached: the shells and env that
// run the suite's commands and the gate script, the gate script itself, the suite's own
// programs, the commands the suite runs (a blocked sed or crontab would leave the filter
// and the schedule stuck), and the privilege tools the administrator gains root with.

// Empty when the program at this located path may be blocked (or already is), else
// one translatable sentence saying why not. Needs no root.
QString blockRefusal(const QString &programPath);

// The place that blocking works on: the program's folder without links, then its name
// (/bin/sudo is /usr/bin/sudo). Empty when the folder cannot be resolved.
QString programPlace(const QString &programPath);
