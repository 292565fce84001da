#pragma once
#include <QStyledItemDelegate>

// Draws the items of a report list view as usual, plus thin grid lines along
// the right and bottom edge of every cell.
class KvGridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
