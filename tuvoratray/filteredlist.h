#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

class QTreeWidgetItem;

// Rows for a list, each with the key that the search looks in.
struct ListRows
{
    QList<QTreeWidgetItem *> items;
    QStringList keys;
};

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

    // Replaces the rows; the list owns those it shows, this object the others.
    void setRows(ListRows rows);
    // Adds rows after the others; those that match the search are shown at once.
    void appendRows(ListRows rows);
    // Shows the rows whose key contains the text; an empty text shows them all.
    void filter(const QString &text);

    const QString &text() const { return m_text; }
    qsizetype rowCount() const { return m_rows.size(); }

private:
    void takeRowsOut();
    // The rows whose key contains the text, by number; only among those shown, or all.
    QList<qsizetype> matching(const QString &text, bool amongShown) const;
    void show(QList<qsizetype> rows);

    QPointer<QTreeWidget> m_list;
    QList<QTreeWidgetItem *> m_rows;
    QStringList m_keys;
    QList<qsizetype> m_shown;
    QString m_text;
};
