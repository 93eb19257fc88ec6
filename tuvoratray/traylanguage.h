#pragma once

#include <QString>

class QCoreApplication;

// Stores the session's language (LANG as it is) as the configured one and installs
// the tray's catalogue for it: tuvoratray_pt_BR.qm for pt_BR.UTF-8, else
// tuvoratray_pt.qm, else none (English). Returns the code of the catalogue installed.
QString chooseTrayLanguage(QCoreApplication &application, const QString &language);
