#pragma once

#include "policy.h"
#include "policynamecheck.h"
#include "prepolicyselectionbase.h"

#include <QKeySequence>
#include <QMap>

#include <functional>
#include <map>

class QApplication;
class QTreeWidgetItem;

// The policy list: one row per policy file of the store, and the actions on them. Each
// row keeps its Policy record for the life of the window; every action changes the
// record and the row together, nothing reloads the list from disk.
class prePolicySelection : public prePolicySelectionBase, public PolicyNameCheck
{
    Q_OBJECT

public:
    enum Column { NameColumn = 0, DescriptionColumn, StatusColumn, TypeColumn };

    explicit prePolicySelection(QApplication *application, QWidget *parent = nullptr);

    bool isPolicyNameFree(const QString &name) const override;

    // The record behind a row; nullptr for a row that is not in the list.
    const Policy *rowPolicy(const QTreeWidgetItem *row) const;

    // Test seam: while set, it stands in for the policy editor. It gets the record and
    // the name check, and returns whether it was accepted (an accepting stand-in has
    // changed and saved the record, as the editor does).
    using EditorStandIn = std::function<bool(Policy &policy, const PolicyNameCheck &names)>;
    static void setEditorStandIn(EditorStandIn standIn);

public slots:
    void btnNewClicked() override;
    void btnEditClicked() override;
    void btnRemoveClicked() override;
    void btnApplyClicked() override;
    void onItemSelected() override;
    void onHelpClicked() override;
    void onHelpAboutClicked() override;
    void btnExportClicked() override;
    void btnImportClicked() override;
    void btnCopyClicked() override;
    void languageChange() override;

protected:
    // The window cannot be closed while an activation runs.
    void closeEvent(QCloseEvent *event) override;

private:
    // Opens the policy editor on the record, modally; true when it was accepted.
    bool runPolicyEditor(Policy &policy);

    static bool enforcesLocally(int machineMode) { return machineMode == 0 || machineMode == 3; }
    static QString statusText(bool active);
    static QString typeText(int type);
    // NextPolicy, or the first number after it whose file does not exist yet: a counter
    // that fell behind the store (a restored configuration, policies copied in by hand)
    // must never make a new policy overwrite another one.
    static int nextFreePolicyNumber();

    void setColumnsForMachineMode();
    void loadList();
    QTreeWidgetItem *addRow(const Policy &policy, bool withStatus);
    void fillRow(QTreeWidgetItem *row, const Policy &policy, bool withStatus) const;
    QTreeWidgetItem *selectedRow() const;
    void selectOnly(QTreeWidgetItem *row);
    void showApplyState(bool active);
    // The 40-policy limit of New, Copy and Import: true (after the warning) when reached.
    bool refuseBeyondLimit(QWidget *messageParent);

    // Activate or Deactivate on the selected row. Programs that an edit took out of an
    // active policy are given back first.
    void applySelected(const QMap<QString, BlockedApplication> &droppedApplications);
    // Runs engine work off the GUI thread; meanwhile the window is painted but takes no
    // input, shows a busy cursor and says what is under way.
    void runHeld(const QString &status, std::function<void()> work);

    QApplication *m_application;
    std::map<QTreeWidgetItem *, Policy> rowPolicies;
    QKeySequence m_applyShortcut;
    bool m_busy = false;
};
