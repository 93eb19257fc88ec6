#include "policy.h"

#include "applicationblocking.h"
#include "clock.h"
#include "commandrunner.h"
#include "cronschedule.h"
#include "filewriter.h"
#include "internetfilter.h"
#include "networklists.h"
#include "policyconfig.h"
#include "privileges.h"

#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char CronTablePath[] = "/tmp/crontab.policy";

// /tmp is open to every user: a file or link left there by someone else must never
// become root's cron table. The old name is removed and the file made anew, refusing
// to follow a link or reuse a file that reappeared in between; once root owns it in
// the sticky /tmp, nobody else can change or replace it.
bool writeCronTable(const QByteArray &content)
{
    ::unlink(CronTablePath);
    const int fd = ::open(CronTablePath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = writeAllTo(fd, content);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

} // namespace

void Policy::toggle(unsigned mode)
{
    const int cell = weekCellAt(currentLocalDateTime());
    if (mode == BothBackEnds || mode == ApplicationsOnly)
        applyApplicationBlocking(*this, applicationGrid.isRestricted(cell));
    if (mode == BothBackEnds || mode == InternetOnly)
        applyInternetRules(*this, internetGrid.isRestricted(cell));

    if (active) {
        runCommand(QStringLiteral("crontab -u root -r"));
        active = false;
    } else {
        const QString text = scheduleCronText(*this, applicationGrid, QStringLiteral("App"))
            + scheduleCronText(*this, internetGrid, QStringLiteral("Int")) + QLatin1Char('\n');
        const bool written = writeCronTable(text.toUtf8());
        runCommand(QStringLiteral("crontab -u root -r"));
        if (written)
            runCommand(QStringLiteral("crontab -u root /tmp/crontab.policy"));
        else
            QTextStream(stderr) << "Error opening file: " << CronTablePath << ", root's cron table not installed\n";
        active = true;
    }
    runCommand(QStringLiteral("/etc/init.d/cron restart"));
    save();
}

void Policy::enact()
{
    RootStretch stretch;
    const int machineMode = readType();
    if (machineMode == 0 || machineMode == 3)
        toggle(BothBackEnds);
    else
        publishNetworkPolicy(*this);
}
