#pragma once

class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The page list at the left of the tray's windows, one row per page in the order of
// the pages. Its hidden second column holds each page's number, and the list is
// sorted by it once, so that the order stays whatever the translations. The list is
// as wide as its longest entry, and at least 150 pixels.
void setUpPageList(QTreeWidget *list);

// Raises the page that a row of the list stands for and returns its number; -1 (and
// no change) for no row.
int raisePage(QTreeWidget *list, QStackedWidget *pages, QTreeWidgetItem *row);
