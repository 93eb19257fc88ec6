#pragma once

#include "blockedapplication.h"

#include <QList>
#include <QMap>
#include <QString>

// The applications on offer in the policy editor, read from the menu description that
// launcherlist writes: a root element whose Itens child holds entries of Type
// "Service" (one application) or "ServiceGroup" (a folder with its own Itens), in
// display order. Other entries are skipped, and a folder left without rows is dropped.
struct MenuRow
{
    bool isFolder = false;
    QString text; // an application's name, and " (description)" when it has one
    QString icon; // icon name for the theme, or a file path
    BlockedApplication application; // of an application row
    QList<MenuRow> children; // of a folder
};

// Read as root; a missing or malformed file gives no rows.
QList<MenuRow> readMenuFile(const QString &path);

// The applications that a policy blocks but the menu no longer offers (the menu file
// is missing, or the program was removed), as one folder to put at the end, so that
// saving the policy does not drop them unseen. None when the menu offers them all.
QList<MenuRow> rowsForApplicationsNotInMenu(
    const QList<MenuRow> &menu, const QMap<QString, BlockedApplication> &policyApplications);
