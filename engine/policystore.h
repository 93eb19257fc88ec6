#pragma once

#include "paths.h"

#include <QString>
#include <QStringList>

namespace PolicyStore {
inline QString directory()
{
    return Paths::path(Paths::PolicyDir);
}
// The full path of policy number N: the directory, "/policy_", N and ".xml".
QString pathForNumber(int number);
// The full path of a listed name: the directory, "/" and the name.
QString pathForName(const QString &fileName);
} // namespace PolicyStore

// The names in the store that match "policy_*.xml", sorted by name ignoring case
// (plain text order: policy_10.xml before policy_2.xml).
QStringList policyFileNames();
