#include "prepolicyselection.h"

#include "activationlock.h"
#include "applicationblocking.h"
#include "enginework.h"
#include "helpopener.h"
#include "messagebox.h"
#include "policyactivation.h"
#include "policyconfig.h"
#include "policystore.h"
#include "preabout.h"
#include "prepolicyedit.h"
#include "privileges.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QStatusBar>

namespace {

prePolicySelection::EditorStandIn &editorStandIn()
{
    static prePolicySelection::EditorStandIn standIn;
    return standIn;
}

} // namespace

prePolicySelection::prePolicySelection(QApplication *application, QWidget *parent)
    : prePolicySelectionBase(parent, "prePolicySelection")
    , m_application(application)
{
    // Made now, so that the window keeps its layout when a status text appears.
    statusBar();
    lstPolicies->header()->setSortIndicatorShown(true);
    lstPolicies->sortByColumn(NameColumn, Qt::AscendingOrder);
    languageChange();
    setColumnsForMachineMode();
    loadList();
    onItemSelected();
}

bool prePolicySelection::isPolicyNameFree(const QString &name) const
{
    for (const auto &[row, policy] : rowPolicies) {
        if (policy.name == name)
            return false;
    }
    return true;
}

const Policy *prePolicySelection::rowPolicy(const QTreeWidgetItem *row) const
{
    const auto found = rowPolicies.find(const_cast<QTreeWidgetItem *>(row));
    return found == rowPolicies.end() ? nullptr : &found->second;
}

void prePolicySelection::setEditorStandIn(EditorStandIn standIn)
{
    editorStandIn() = std::move(standIn);
}

bool prePolicySelection::runPolicyEditor(Policy &policy)
{
    if (editorStandIn())
        return editorStandIn()(policy, *this);
    prePolicyEdit editor(policy, this, this);
    return editor.exec() == QDialog::Accepted;
}

QString prePolicySelection::statusText(bool active)
{
    return active ? tr("Active") : tr("Inactive");
}

QString prePolicySelection::typeText(int type)
{
    switch (type) {
    case Policy::ComputerDefinedLocal:
        return tr("Computer Defined Local Policy");
    case Policy::ServerDefinedLocal:
        return tr("Server Defined Local Policy");
    case Policy::Network:
        return tr("Network Policy");
    default:
        return QString();
    }
}

int prePolicySelection::nextFreePolicyNumber()
{
    int number = readNextPolicy();
    asRoot([&] {
        while (QFileInfo::exists(PolicyStore::pathForNumber(number)))
            ++number;
    });
    return number;
}

void prePolicySelection::setColumnsForMachineMode()
{
    // A policy server shows no status: what it activates is published, not enforced.
    const bool server = readType() == 2;
    lstPolicies->setColumnHidden(StatusColumn, server);
    lstPolicies->setColumnHidden(TypeColumn, server);
    btnApply->setHidden(server);
    QHeaderView *header = lstPolicies->header();
    if (server) {
        header->resizeSection(NameColumn, 180);
        header->resizeSection(DescriptionColumn, 300);
    } else {
        header->resizeSection(NameColumn, 100);
        header->resizeSection(DescriptionColumn, 160);
        header->resizeSection(StatusColumn, 60);
        header->resizeSection(TypeColumn, 200);
    }
}

void prePolicySelection::loadList()
{
    rowPolicies.clear();
    lstPolicies->clear();
    const bool withStatus = readType() != 2;
    for (const QString &fileName : policyFileNames())
        addRow(Policy(PolicyStore::pathForName(fileName)), withStatus);
}

QTreeWidgetItem *prePolicySelection::addRow(const Policy &policy, bool withStatus)
{
    auto *row = new QTreeWidgetItem;
    fillRow(row, policy, withStatus);
    rowPolicies.emplace(row, policy);
    lstPolicies->addTopLevelItem(row);
    return row;
}

void prePolicySelection::fillRow(QTreeWidgetItem *row, const Policy &policy, bool withStatus) const
{
    row->setText(NameColumn, policy.name);
    row->setText(DescriptionColumn, policy.description);
    if (withStatus) {
        row->setText(StatusColumn, statusText(policy.active));
        row->setText(TypeColumn, typeText(policy.type));
    }
}

QTreeWidgetItem *prePolicySelection::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = lstPolicies->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

void prePolicySelection::selectOnly(QTreeWidgetItem *row)
{
    lstPolicies->clearSelection();
    lstPolicies->setCurrentItem(row);
    row->setSelected(true);
    lstPolicies->scrollToItem(row);
}

void prePolicySelection::showApplyState(bool active)
{
    btnApply->setText(active ? tr("Deactivate") : tr("Activate"));
    // A new text replaces the button's accelerator; the form's one stays.
    btnApply->setShortcut(m_applyShortcut);
}

bool prePolicySelection::refuseBeyondLimit(QWidget *messageParent)
{
    if (lstPolicies->topLevelItemCount() < 40)
        return false;
    MessageBox::warning(
        messageParent, tr("Tuvora - Alert"), tr("It's not possible to have more than 40 policies."), { tr("OK") });
    return true;
}

void prePolicySelection::onItemSelected()
{
    QTreeWidgetItem *row = selectedRow();
    for (QPushButton *button : { btnEdit, btnRemove, btnExport, btnApply, btnCopy })
        button->setEnabled(row != nullptr);
    if (!row)
        return;
    const Policy &policy = rowPolicies.at(row);
    // A policy that the server defined is the server's to change.
    btnEdit->setEnabled(!(policy.type == Policy::ServerDefinedLocal && enforcesLocally(readType())));
    showApplyState(policy.active);
}

void prePolicySelection::btnNewClicked()
{
    if (refuseBeyondLimit(nullptr))
        return;
    const int number = nextFreePolicyNumber();
    Policy policy(number);
    if (!runPolicyEditor(policy))
        return;
    addRow(policy, true);
    writeNextPolicy(number + 1);
}

void prePolicySelection::btnEditClicked()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    Policy &policy = rowPolicies.at(row);
    if (policy.type == Policy::ServerDefinedLocal && enforcesLocally(readType()))
        return;
    const QMap<QString, BlockedApplication> before = policy.applications;
    if (!runPolicyEditor(policy))
        return;
    row->setText(NameColumn, policy.name);
    row->setText(DescriptionColumn, policy.description);
    if (policy.active) {
        // Switched on again, so that the changed rules take effect.
        QMap<QString, BlockedApplication> dropped;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (!policy.applications.contains(it.key()))
                dropped.insert(it.key(), it.value());
        }
        policy.active = false;
        applySelected(dropped);
    }
    row->setText(StatusColumn, statusText(policy.active));
    row->setText(TypeColumn, typeText(policy.type));
    onItemSelected();
}

void prePolicySelection::btnRemoveClicked()
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    const Policy &policy = rowPolicies.at(row);
    if (policy.active) {
        MessageBox::warning(
            this, tr("Tuvora - Alert"), tr("It's not possible to remove an active policy."), { tr("OK") });
        return;
    }
    if (MessageBox::question(this, tr("Tuvora - Confirmation"),
            tr("You are about to remove \"%1\" policy.").arg(policy.name), { tr("OK"), tr("Cancel") }, 0, 1)
        != 0)
        return;
    removeFileAsRoot(policy.filePath);
    rowPolicies.erase(row);
    delete row;
}

void prePolicySelection::btnApplyClicked()
{
    applySelected({});
}

void prePolicySelection::applySelected(const QMap<QString, BlockedApplication> &droppedApplications)
{
    QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    Policy &selected = rowPolicies.at(row);
    const int machineMode = readType();
    // The other policies in force that this one replaces; their cron table and internet
    // settings are not touched here, the activation below replaces them.
    QList<QTreeWidgetItem *> replaced;
    for (auto &[other, policy] : rowPolicies) {
        if (other != row && policy.active && (enforcesLocally(machineMode) || policy.type == selected.type))
            replaced.append(other);
    }
    QList<Policy *> replacedPolicies;
    for (QTreeWidgetItem *other : std::as_const(replaced))
        replacedPolicies.append(&rowPolicies.at(other));

    const QString status = selected.active ? tr("Deactivating the policy...") : tr("Activating the policy...");
    runHeld(status, [&] {
        // One activation for the machine's other activations (cron's enactpolicy, the
        // tray): none comes between switching the others off and putting this one into
        // force. One that did could find a policy still recorded active after its
        // programs were given back, and block them again for good.
        const ActivationLock lock;
        if (!lock.held())
            return;
        for (Policy *policy : std::as_const(replacedPolicies)) {
            policy->active = false;
            unblockApplications(*policy);
            policy->save();
        }
        if (!droppedApplications.isEmpty()) {
            Policy dropped = selected;
            dropped.applications = droppedApplications;
            unblockApplications(dropped);
        }
        selected.enact();
    });

    for (QTreeWidgetItem *other : std::as_const(replaced))
        other->setText(StatusColumn, statusText(rowPolicies.at(other).active));
    row->setText(StatusColumn, statusText(selected.active));
    showApplyState(selected.active);
}

void prePolicySelection::runHeld(const QString &status, std::function<void()> work)
{
    m_busy = true;
    const QPointer<QWidget> focus = focusWidget();
    centralWidget()->setEnabled(false);
    statusBar()->showMessage(status);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // Input arriving meanwhile goes to the disabled window and is dropped, not kept for
    // later; the loop is left only when the work has ended.
    bool finished = false;
    QEventLoop loop;
    runEngineWork(&loop, std::move(work), [&] {
        finished = true;
        loop.quit();
    });
    while (!finished)
        loop.exec();

    QApplication::restoreOverrideCursor();
    statusBar()->clearMessage();
    centralWidget()->setEnabled(true);
    if (focus)
        focus->setFocus();
    m_busy = false;
}

void prePolicySelection::closeEvent(QCloseEvent *event)
{
    if (m_busy)
        event->ignore();
    else
        prePolicySelectionBase::closeEvent(event);
}

void prePolicySelection::onHelpClicked()
{
    openHelpPage(this, QStringLiteral("PolicySelection.html"));
}

void prePolicySelection::onHelpAboutClicked()
{
    preAbout about;
    about.exec();
}

void prePolicySelection::languageChange()
{
    prePolicySelectionBase::languageChange();
    m_applyShortcut = btnApply->shortcut();
    lstPolicies->setHeaderLabels({ tr("Name"), tr("Description"), tr("Status"), tr("Type") });
    const bool withStatus = readType() != 2;
    for (auto &[row, policy] : rowPolicies)
        fillRow(row, policy, withStatus);
    onItemSelected();
}
