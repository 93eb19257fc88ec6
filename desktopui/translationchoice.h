#pragma once

#include <QString>

// Each program loads its catalogue <prefix><code>.qm from here.
inline QString translationDirectory()
{
    return QStringLiteral("/usr/share/tuvora/lang");
}

// Narrows a language such as pt_BR.UTF-8 to the code of an installed catalogue of the
// program: pt_BR if <prefix>pt_BR.qm exists, else pt if <prefix>pt.qm exists, else
// empty.
QString installedCatalogueCode(const QString &language, const QString &prefix);

// True for a locale name as the system writes it (pt_BR, pt_BR.UTF-8, sr_RS@latin, C,
// C.UTF-8): the only form of a caller's LANG that a program of the suite stores as the
// configured language, and the only form from which a catalogue file name is built.
bool isPlainLocaleCode(const QString &language);
