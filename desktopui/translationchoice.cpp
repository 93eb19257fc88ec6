#include "translationchoice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

namespace {

bool catalogueExists(const QString &prefix, const QString &code)
{
    return QFileInfo::exists(translationDirectory() + QLatin1Char('/') + prefix + code + QStringLiteral(".qm"));
}

void installCatalogue(QObject *owner, const QString &prefix, const QString &language)
{
    const QString code = installedCatalogueCode(language, prefix);
    if (code.isEmpty())
        return;
    auto *translator = new QTranslator(owner);
    // A translator removes itself from the application when it is deleted.
    if (translator->load(prefix + code, translationDirectory()))
        QCoreApplication::installTranslator(translator);
}

} // namespace

QString narrowLanguage(const QString &language, const std::function<bool(const QString &code)> &available)
{
    QString code = language.section(QLatin1Char('.'), 0, 0);
    if (!code.isEmpty() && available(code))
        return code;
    code = code.section(QLatin1Char('_'), 0, 0);
    if (!code.isEmpty() && available(code))
        return code;
    return QString();
}

QString installedCatalogueCode(const QString &language, const QString &prefix)
{
    return narrowLanguage(language, [&prefix](const QString &code) { return catalogueExists(prefix, code); });
}

std::unique_ptr<QObject> installTranslations(const QString &prefix, const QString &language)
{
    auto owner = std::make_unique<QObject>();
    installCatalogue(owner.get(), QStringLiteral("desktopui_"), language);
    installCatalogue(owner.get(), prefix, language);
    return owner;
}
