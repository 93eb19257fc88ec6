#pragma once

#include <QByteArray>

// Root's cron table is shared: root's own jobs (backups, updates) stay in it, and while
// a policy is in force the suite's lines follow them. The suite only ever takes out or
// puts in its own lines. The table is staged in root's state folder and installed with
// "crontab -u root FILE", which replaces it in one step; whenever a step fails the old
// table stays as it was and the failure is named on the diagnostic stream.

// True for a line of the suite's schedules: a run of /usr/bin/enactpolicy or the touch of
// a warning marker (also the markers' earlier places in /tmp).
bool isSuiteCronLine(const QByteArray &line);

// Root's own lines (the suite's and the trailing empty lines taken out), then the suite's.
QByteArray mergeCronTable(const QByteArray &rootTable, const QByteArray &suiteLines);

// Installs root's lines followed by the suite's lines.
bool installSuiteCronLines(const QByteArray &suiteLines);
// Takes the suite's lines out; a table left without any line is removed.
bool removeSuiteCronLines();
