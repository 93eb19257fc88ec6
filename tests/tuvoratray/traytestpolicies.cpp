#include "traytestpolicies.h"

#include "activationfixture.h"
#include "clock.h"
#include "policy.h"
#include "policystore.h"
#include "testfiles.h"

#include <QDir>

namespace TrayTest {

void writePolicy(int number, const QString &domain, bool active)
{
    Policy policy(number);
    policy.name = domain;
    policy.internet.urls = { domain };
    policy.applicationGrid.fill(0);
    policy.internetGrid.fill(1);
    policy.internetGrid[(weekCellAt(currentLocalDateTime()) + WeekGrid::Cells / 2) % WeekGrid::Cells] = 0;
    policy.active = active;
    policy.save();
}

bool markedActive(int number)
{
    return Policy(PolicyStore::pathForNumber(number)).active;
}

bool filtered(const QString &domain)
{
    return readFileBytes(QStringLiteral("/etc/dansguardian/sitelist")).split('\n').contains(domain.toUtf8());
}

bool cronTableInstalled()
{
    return !Fixture::installedCronTable().trimmed().isEmpty();
}

void resetSystem(int status, int machineMode)
{
    QDir store(PolicyStore::directory());
    for (const QString &name : store.entryList(QDir::Files))
        store.remove(name);
    Fixture::writeFilterConfiguration();
    writeFileBytes(QStringLiteral("/etc/dansguardian/sitelist"), {});
    Fixture::removeCronTable();
    Fixture::clearInitScriptCalls();
    Fixture::writeConfiguration(status, machineMode);
}

} // namespace TrayTest
