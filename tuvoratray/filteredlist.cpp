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

void FilteredList::setRows(ListRows rows)
{
    takeRowsOut();
    qDeleteAll(m_rows);
    m_rows = std::move(rows.items);
    m_keys = std::move(rows.keys);
    m_shown.clear();
    show(matching(m_text, false));
}

void FilteredList::appendRows(ListRows rows)
{
    if (!m_list)
        return;
    QList<QTreeWidgetItem *> shown;
    for (qsizetype i = 0; i < rows.items.size(); ++i) {
        if (rows.keys.at(i).contains(m_text, Qt::CaseSensitive)) {
            m_shown.append(m_rows.size() + i);
            shown.append(rows.items.at(i));
        }
    }
    m_rows += rows.items;
    m_keys += rows.keys;
    m_list->addTopLevelItems(shown);
}

void FilteredList::filter(const QString &text)
{
    // Typing on narrows the rows shown: only they need looking at.
    const bool narrowing = text.contains(m_text);
    m_text = text;
    QList<qsizetype> rows = matching(text, narrowing);
    // A keystroke that leaves the same rows (most do, at first) costs no rebuilding.
    if (rows != m_shown)
        show(std::move(rows));
}

QList<qsizetype> FilteredList::matching(const QString &text, bool amongShown) const
{
    QList<qsizetype> rows;
    if (amongShown) {
        for (const qsizetype row : m_shown) {
            if (m_keys.at(row).contains(text, Qt::CaseSensitive))
                rows.append(row);
        }
        return rows;
    }
    rows.reserve(m_rows.size());
    for (qsizetype row = 0; row < m_rows.size(); ++row) {
        if (text.isEmpty() || m_keys.at(row).contains(text, Qt::CaseSensitive))
            rows.append(row);
    }
    return rows;
}

void FilteredList::show(QList<qsizetype> rows)
{
    if (!m_list)
        return;
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const qsizetype row : rows)
        items.append(m_rows.at(row));
    m_shown = std::move(rows);
    m_list->setUpdatesEnabled(false);
    takeRowsOut();
    m_list->addTopLevelItems(items);
    m_list->setUpdatesEnabled(true);
}
