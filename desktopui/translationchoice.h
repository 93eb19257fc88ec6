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
