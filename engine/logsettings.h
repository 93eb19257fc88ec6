#pragma once

// The log settings of the configuration's Log element, as the settings dialog shows
// and saves them. Sizes are limits in megabytes; the tray's snapshot timer and the
// file watcher read their own copies (Interval, MaxShots, .filelogsize).
struct LogSettings
{
    int shotInterval = 0;
    int maxShots = 0;
    bool screenLog = false;
    int applicationLogSize = 0;
    bool applicationLog = false;
    int internetLogSize = 0;
    bool internetLog = false;
    int fileLogSize = 0;
    bool fileLog = false;

    bool operator==(const LogSettings &) const = default;
};

// Reads the Log element; a missing file, element or value reads as 0 (off).
LogSettings readLogSettings();

// Replaces the configuration's Log element with one built from the settings, as the
// root's last child. A missing or unparseable configuration is left untouched.
void writeLogSettings(const LogSettings &settings);
