#include "policystore.h"

#include <QDir>

QString PolicyStore::pathForNumber(int number)
{
    return directory() + QLatin1String("/policy_") + QString::number(number) + QLatin1String(".xml");
}

QString PolicyStore::pathForName(const QString &fileName)
{
    return directory() + QLatin1Char('/') + fileName;
}

QStringList policyFileNames()
{
    const QDir store(PolicyStore::directory());
    return store.entryList({ QStringLiteral("policy_*.xml") },
        QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive, QDir::Name | QDir::IgnoreCase);
}
