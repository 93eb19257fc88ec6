#include "policywarnings.h"

#include "paths.h"
#include "privileges.h"

#include <QFile>
#include <QMessageBox>
#include <QObject>

namespace {

bool takeMarker(const QString &marker)
{
    return asRoot([&] { return QFile::exists(marker) && QFile::remove(marker); });
}

} // namespace

QStringList takeDueWarnings(const QString &applicationMarker, const QString &internetMarker)
{
    QStringList texts;
    if (takeMarker(applicationMarker))
        texts << QObject::tr("Tuvora is going to close blocked applications in 5 minutes.");
    if (takeMarker(internetMarker))
        texts << QObject::tr("Tuvora is going to block internet in 5 minutes.");
    return texts;
}

QStringList takeDueWarnings()
{
    return takeDueWarnings(Paths::path(Paths::AppWarningMarker), Paths::path(Paths::IntWarningMarker));
}

QMessageBox *showPolicyWarning(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, QObject::tr("Tuvora"), text);
    box->addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
    box->setModal(false);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The tray has no other window: closing this one must not end the program.
    box->setAttribute(Qt::WA_QuitOnClose, false);
    box->show();
    box->raise();
    return box;
}
