#include "traylanguage.h"

#include "policyconfig.h"
#include "translationchoice.h"

#include <QCoreApplication>

QString chooseTrayLanguage(QCoreApplication &application, const QString &language)
{
    // Only a locale name is stored; anything else the caller put in LANG is ignored.
    const bool plain = isPlainLocaleCode(language);
    writeLanguage(plain ? language : QString());
    const QString code = installedCatalogueCode(language, QStringLiteral("tuvoratray_"));
    if (code.isEmpty())
        return code;
    // The translators live as long as the application.
    installTranslations(QStringLiteral("tuvoratray_"), language).release()->setParent(&application);
    return code;
}
