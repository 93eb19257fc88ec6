#include "traylanguage.h"

#include "policyconfig.h"
#include "translationchoice.h"

#include <QCoreApplication>
#include <QTranslator>

QString chooseTrayLanguage(QCoreApplication &application, const QString &language)
{
    writeLanguage(language);
    const QString prefix = QStringLiteral("tuvoratray_");
    const QString code = installedCatalogueCode(language, prefix);
    if (code.isEmpty())
        return code;
    auto *translator = new QTranslator(&application);
    if (!translator->load(prefix + code + QStringLiteral(".qm"), translationDirectory())) {
        delete translator;
        return QString();
    }
    application.installTranslator(translator);
    return code;
}
