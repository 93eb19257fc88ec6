#include "translationchoice.h"

#include "policyconfig.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
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

bool isPlainLocaleCode(const QString &language)
{
    static const QRegularExpression plain(
        QStringLiteral("^([a-z]{2,3}(_[A-Z]{2})?|C|POSIX)(\\.[A-Za-z0-9-]{1,16})?(@[a-z]{1,16})?$"));
    return language.size() <= 40 && plain.match(language).hasMatch();
}

QString narrowLanguage(const QString &language, const std::function<bool(const QString &code)> &available)
{
    // Only a locale name ever becomes part of a file name.
    if (!isPlainLocaleCode(language))
        return QString();
    QString code = language.section(QLatin1Char('.'), 0, 0);
    if (!code.isEmpty() && available(code))
        return code;
    code = code.section(QLatin1Char('_'), 0, 0);
    if (!code.isEmpty() && available(code))
        return code;
    return QString();
}

QString configuredLanguage()
{
    QString language = readLanguage();
    if (language.isEmpty()) {
        language = qEnvironmentVariable("LANG");
        if (!isPlainLocaleCode(language))
            return QString();
        writeLanguage(language);
    }
    return language;
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
