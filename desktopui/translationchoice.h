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
// available; empty when neither is, or when the language is no plain locale name.
QString narrowLanguage(const QString &language, const std::function<bool(const QString &code)> &available);

// The code of an installed catalogue of the program for a language: pt_BR if
// <prefix>pt_BR.qm exists, else pt if <prefix>pt.qm exists, else empty.
QString installedCatalogueCode(const QString &language, const QString &prefix);

// True for a locale name as the system writes it (pt_BR, pt_BR.UTF-8, sr_RS@latin, C,
// C.UTF-8): the only form of a caller's LANG that a program of the suite stores as the
// configured language, and the only form from which a catalogue file name is built.
bool isPlainLocaleCode(const QString &language);

// The language a program of the suite speaks: the configured one, else LANG, which then
// becomes the configured one. Only a plain locale name (pt_BR.UTF-8, not a path or any
// other text the caller chose) is taken from LANG and stored.
QString configuredLanguage();

// Loads and installs the program's catalogue (<prefix><code>.qm) and the shared
// dialogs' one (desktopui_<code>.qm) for a language, each narrowed to what is
// installed. Both stay installed while the returned object lives.
std::unique_ptr<QObject> installTranslations(const QString &prefix, const QString &language);
