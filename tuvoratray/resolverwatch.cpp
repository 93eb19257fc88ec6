#include "resolverwatch.h"

#include "commandrunner.h"
#include "enginework.h"
#include "paths.h"
#include "privileges.h"

#include <QFileInfo>
#include <QtDebug>

bool resolverChanged(QDateTime &stamp, const QString &resolvConf)
{
    const QDateTime modified = QFileInfo(resolvConf).lastModified();
    if (stamp.isNull()) {
        stamp = modified;
        return false;
    }
    if (modified == stamp)
        return false;
    stamp = modified;
    return true;
}

void reconfigureSquid(QObject *context)
{
    runEngineWork(
        context,
        [] {
            RootStretch stretch;
            qDebug("updateSquid");
            runCommand(Paths::path(Paths::SquidProgram) + QStringLiteral(" -k reconfigure"));
        },
        [] {});
}
