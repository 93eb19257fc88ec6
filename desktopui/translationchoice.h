#pragma once

#include "paths.h"

#include <QString>

#include <functional>
#include <memory>

class QObject;

// Each program loads its catalogue <prefix><code>.qm from here, beside the shared
// dialogs' catalogue desktopui_<code>.qm.
inline QString translationDirectory()
{
    return Paths::path(Paths::LangDir);
}

// Narrows a language such as pt_BR.UTF-8 to the first of pt_BR and pt that is
// available; empty when neither is.
QString narrowLanguage(const QString &language, const std::function<bool(const QString &code)> &available);

// The code of an installed catalogue of the program for a language: pt_BR if
// <prefix>pt_BR.qm exists, else pt if <prefix>pt.qm exists, else empty.
QString installedCatalogueCode(const QString &language, const QString &prefix);

// Loads and installs the program's catalogue (<prefix><code>.qm) and the shared
// dialogs' one (desktopui_<code>.qm) for a language, each narrowed to what is
// installed. Both stay installed while the returned object lives.
std::unique_ptr<QObject> installTranslations(const QString &prefix, const QString &language);
