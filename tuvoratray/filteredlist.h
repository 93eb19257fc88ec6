#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

class QTreeWidgetItem;

// The rows of a log list, filtered as the search text changes. Every row is built
// once per reading of its log and kept; a search only takes the rows out of the list
// and puts back those whose key contains the text (case-sensitive), so typing costs a
// pass over the keys in memory, never a new reading of the log.
class FilteredList
{
public:
    explicit FilteredList(QTreeWidget *list);
    ~FilteredList();
    FilteredList(const FilteredList &) = delete;
    FilteredList &operator=(const FilteredList &) = delete;

    // Replaces the rows; the list owns those it shows, this object the others. Each
    // row's key is what the search looks in.
    void setRows(QList<QTreeWidgetItem *> rows, QStringList keys);
    // Shows the rows whose key contains the text; an empty text shows them all.
    void filter(const QString &text);

    const QString &text() const { return m_text; }
    qsizetype rowCount() const { return m_rows.size(); }

private:
    void takeRowsOut();

    QPointer<QTreeWidget> m_list;
    QList<QTreeWidgetItem *> m_rows;
    QStringList m_keys;
    QString m_text;
};
