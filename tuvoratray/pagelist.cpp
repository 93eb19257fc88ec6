#include "pagelist.h"

#include <QHeaderView>
#include <QStackedWidget>
#include <QTreeWidget>

void setUpPageList(QTreeWidget *list)
{
    list->sortItems(1, Qt::AscendingOrder);
    list->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    list->setColumnWidth(1, 0);
    list->setColumnHidden(1, true);
    list->setCurrentItem(list->topLevelItem(0));

    int content = list->header()->sectionSizeHint(0);
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = list->topLevelItem(row);
        content = qMax(content, list->iconSize().width() + list->fontMetrics().horizontalAdvance(item->text(0)) + 16);
    }
    list->setFixedWidth(qMax(150, content + 2 * list->frameWidth()));
}

int raisePage(QTreeWidget *list, QStackedWidget *pages, QTreeWidgetItem *row)
{
    const int page = row ? list->indexOfTopLevelItem(row) : -1;
    if (page < 0 || page >= pages->count())
        return -1;
    pages->setCurrentIndex(page);
    return page;
}
