#include "translationchoice.h"

#include <QFileInfo>

namespace {

bool catalogueExists(const QString &prefix, const QString &code)
{
    return QFileInfo::exists(translationDirectory() + QLatin1Char('/') + prefix + code + QStringLiteral(".qm"));
}

} // namespace

QString installedCatalogueCode(const QString &language, const QString &prefix)
{
    QString code = language.section(QLatin1Char('.'), 0, 0);
    if (catalogueExists(prefix, code))
        return code;
    code = code.section(QLatin1Char('_'), 0, 0);
    if (catalogueExists(prefix, code))
        return code;
    return QString();
}
