#include "preapplicationitem.h"

preApplicationItem::preApplicationItem(QTreeWidget *tree, const QString &text, const BlockedApplication &application)
    : QTreeWidgetItem(tree, { text })
    , m_application(application)
{
    setUp();
}

preApplicationItem::preApplicationItem(
    QTreeWidgetItem *folder, const QString &text, const BlockedApplication &application)
    : QTreeWidgetItem(folder, { text })
    , m_application(application)
{
    setUp();
}

void preApplicationItem::setUp()
{
    // The record carries no extra text and no saved mode: those belong to a block.
    m_application.extra.clear();
    m_application.permissions.clear();
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    setOn(false);
}

void preApplicationItem::setEnabled(bool enabled, const QString &reason)
{
    setFlags(enabled ? flags() | Qt::ItemIsEnabled : flags() & ~Qt::ItemIsEnabled);
    setToolTip(0, reason);
}
