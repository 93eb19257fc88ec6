#include "policyactivation.h"

#include "activationlock.h"
#include "applicationblocking.h"
#include "clock.h"
#include "commandrunner.h"
#include "cronschedule.h"
#include "crontable.h"
#include "filewriter.h"
#include "internetfilter.h"
#include "networklists.h"
#include "paths.h"
#include "policyconfig.h"
#include "privileges.h"

#include <QTextStream>

bool Policy::toggle(unsigned mode)
{
    RootStretch stretch;
    ActivationLock lock;
    if (!lock.held())
        return false;

    const int cell = weekCellAt(currentLocalDateTime());
    bool ok = true;
    if (mode == BothBackEnds || mode == ApplicationsOnly)
        ok = applyApplicationBlocking(*this, applicationGrid.isRestricted(cell)) && ok;
    if (mode == BothBackEnds || mode == InternetOnly)
        ok = applyInternetRules(*this, internetGrid.isRestricted(cell)) && ok;

    if (active) {
        ok = removeSuiteCronLines() && ok;
        active = false;
    } else {
        const QString text = scheduleCronText(applicationGrid, QStringLiteral("App"))
            + scheduleCronText(internetGrid, QStringLiteral("Int")) + QLatin1Char('\n');
        ok = installSuiteCronLines(text.toUtf8()) && ok;
        active = true;
    }
    if (!commandSucceeded(runCommand(fillCommand(QStringLiteral("%1 restart"), { Paths::path(Paths::CronInit) })))) {
        QTextStream(stderr) << "cron could not be restarted\n";
        ok = false;
    }
    // A save cut short by a killed activation leaves its temporary beside the file.
    removeLeftoverTemporaries(filePath, 60);
    return save() && ok;
}

bool Policy::enact()
{
    RootStretch stretch;
    ActivationLock lock;
    if (!lock.held())
        return false;
    const int machineMode = readType();
    if (machineMode == 0 || machineMode == 3)
        return toggle(BothBackEnds);
    return publishNetworkPolicy(*this);
}
