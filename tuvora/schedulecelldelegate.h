#pragma once

#include <QStyledItemDelegate>

// A cell of a weekly schedule table is a check box alone: drawn in the middle of the
// cell, and switched by a click anywhere in the cell or by the space bar.
class ScheduleCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
};
