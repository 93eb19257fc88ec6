#include "translationchoice.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool catalogueExists(const QString &prefix, const QString &code)
{
    return QFileInfo::exists(translationDirectory() + QLatin1Char('/') + prefix + code + QStringLiteral(".qm"));
}

} // namespace

bool isPlainLocaleCode(const QString &language)
{
    static const QRegularExpression plain(
        QStringLiteral("^([a-z]{2,3}(_[A-Z]{2})?|C|POSIX)(\\.[A-Za-z0-9-]{1,16})?(@[a-z]{1,16})?$"));
    return language.size() <= 40 && plain.match(language).hasMatch();
}

QString installedCatalogueCode(const QString &language, const QString &prefix)
{
    if (!isPlainLocaleCode(language))
        return QString();
    QString code = language.section(QLatin1Char('.'), 0, 0);
    if (catalogueExists(prefix, code))
        return code;
    code = code.section(QLatin1Char('_'), 0, 0);
    if (catalogueExists(prefix, code))
        return code;
    return QString();
}
