#pragma once

#include "blockedapplication.h"

#include <QTreeWidgetItem>

// One checkable row of the editor's application tree: an application of the menu, and
// the record that the policy keeps when the row is switched on.
class preApplicationItem : public QTreeWidgetItem
{
public:
    preApplicationItem(QTreeWidget *tree, const QString &text, const BlockedApplication &application);
    preApplicationItem(QTreeWidgetItem *folder, const QString &text, const BlockedApplication &application);

    const BlockedApplication &application() const { return m_application; }

    bool isOn() const { return checkState(0) == Qt::Checked; }
    void setOn(bool on) { setCheckState(0, on ? Qt::Checked : Qt::Unchecked); }

    bool isEnabled() const { return flags() & Qt::ItemIsEnabled; }
    // A disabled row cannot be switched; the reason is its tool tip.
    void setEnabled(bool enabled, const QString &reason = QString());

private:
    void setUp();

    BlockedApplication m_application;
};
