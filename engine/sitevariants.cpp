#include "sitevariants.h"

#include <algorithm>

namespace {

bool isHostName(const QString &entry)
{
    return !entry.isEmpty() && std::all_of(entry.cbegin(), entry.cend(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('_');
    });
}

} // namespace

QStringList siteVariants(const QStringList &sites)
{
    QStringList variants;
    for (const QString &site : sites) {
        QString plain = site;
        while (plain.endsWith(QLatin1Char('.')))
            plain.chop(1);
        if (isHostName(plain))
            variants << (plain == site ? plain + QLatin1Char('.') : plain);
    }
    return variants;
}

QByteArray siteVariantLines(const QStringList &sites)
{
    QByteArray content;
    for (const QString &variant : siteVariants(sites))
        content += variant.toUtf8() + '\n';
    return content;
}
