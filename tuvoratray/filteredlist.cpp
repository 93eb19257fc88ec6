#include "filteredlist.h"

#include <QTreeWidgetItem>

FilteredList::FilteredList(QTreeWidget *list)
    : m_list(list)
{ }

FilteredList::~FilteredList()
{
    takeRowsOut();
    qDeleteAll(m_rows);
}

void FilteredList::takeRowsOut()
{
    if (m_list)
        m_list->invisibleRootItem()->takeChildren();
}

void FilteredList::setRows(QList<QTreeWidgetItem *> rows, QStringList keys)
{
    takeRowsOut();
    qDeleteAll(m_rows);
    m_rows = std::move(rows);
    m_keys = std::move(keys);
    const QString text = m_text;
    m_text.clear();
    filter(text);
}

void FilteredList::filter(const QString &text)
{
    if (!m_list)
        return;
    m_text = text;
    QList<QTreeWidgetItem *> shown;
    if (text.isEmpty()) {
        shown = m_rows;
    } else {
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            if (m_keys.at(i).contains(text, Qt::CaseSensitive))
                shown.append(m_rows.at(i));
        }
    }
    m_list->setUpdatesEnabled(false);
    takeRowsOut();
    m_list->addTopLevelItems(shown);
    m_list->setUpdatesEnabled(true);
}
