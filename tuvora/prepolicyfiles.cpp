// The policy list's file operations: Copy, Import and Export.
#include "prepolicyselection.h"

#include "filedialog.h"
#include "messagebox.h"
#include "policyconfig.h"
#include "policynameprompt.h"
#include "policystore.h"
#include "privileges.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

QString startDirectory()
{
    return qEnvironmentVariable("HOME");
}

// The store is root's: the policy file is read as root. The copy is written as the
// administrator who chose the place, never as root, and without a shell, so that any
// name works and nothing lands where the administrator could not write.
bool copyPolicyFile(const QString &source, const QString &target)
{
    const std::optional<QByteArray> content = asRoot([&]() -> std::optional<QByteArray> {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    });
    if (!content)
        return false;
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(*content) == content->size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

void prePolicySelection::btnCopyClicked()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row || refuseBeyondLimit(this))
        return;
    const std::optional<QString> name = askPolicyName(this, *this, true);
    if (!name)
        return;

    Policy copy(rowPolicies.at(row).filePath);
    copy.name = *name;
    const int number = nextFreePolicyNumber();
    copy.filePath = PolicyStore::pathForNumber(number);
    writeNextPolicy(number + 1);
    copy.active = false;
    // A copy is this computer's own policy, which it may change.
    if (copy.type == Policy::ServerDefinedLocal && enforcesLocally(readType()))
        copy.type = Policy::ComputerDefinedLocal;
    copy.save();
    selectOnly(addRow(copy, true));
}

void prePolicySelection::btnImportClicked()
{
    if (refuseBeyondLimit(this))
        return;
    const QString file
        = FileDialog::getOpenFileName(this, tr("Tuvora - File to Import"), startDirectory(), tr("Xml (*.xml)"));
    // Only a plain file is read: a device or a pipe chosen by mistake would never end.
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;

    QString name = Policy(file).name;
    if (!isPolicyNameFree(name)) {
        const std::optional<QString> asked = askPolicyName(this, *this, false);
        if (!asked)
            return;
        name = *asked;
    }
    if (name.isEmpty())
        return;

    const int number = nextFreePolicyNumber();
    Policy imported(file);
    imported.filePath = PolicyStore::pathForNumber(number);
    imported.active = false;
    imported.name = name;
    imported.save();
    selectOnly(addRow(imported, true));
    MessageBox::information(this, tr("Tuvora - Information"), tr("Policy successfully imported."), { tr("OK") });
    writeNextPolicy(number + 1);
}

void prePolicySelection::btnExportClicked()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    const QString source = rowPolicies.at(row).filePath;
    QString target
        = FileDialog::getSaveFileName(this, tr("Tuvora - File to Export"), startDirectory(), tr("Xml (*.xml)"));
    if (target.isEmpty())
        return;
    if (!QFileInfo::exists(target) && !target.endsWith(QLatin1String(".xml")))
        target += QLatin1String(".xml");
    // Asked for the name as chosen and for the one with ".xml" appended alike.
    if (QFileInfo::exists(target)
        && MessageBox::question(this, tr("Tuvora - Confirmation"),
               tr("\"%1\" already exists.\nAre you sure you want to overwrite it?").arg(target),
               { tr("&Yes"), tr("&No") }, 0, 1)
            != 0)
        return;

    if (copyPolicyFile(source, target))
        MessageBox::information(this, tr("Tuvora - Information"), tr("Policy successfully exported."), { tr("OK") });
    else
        MessageBox::warning(this, tr("Tuvora - Alert"), tr("Policy export failed."), { tr("OK") });
}
