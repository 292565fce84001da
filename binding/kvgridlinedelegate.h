#pragma once
#include <QSet>
#include <QStyledItemDelegate>

// Draws the items of a report list view as usual, plus thin grid lines along
// the right and bottom edge of every cell. Rows are as tall as their font
// needs, with room for descenders and underscores below the grid line.
// Columns can be marked (a red frame around each of their cells), for a
// column whose variable failed.
class KvGridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void SetColumnMarked(int column, bool marked);
    bool IsColumnMarked(int column) const { return marked_.contains(column); }

    // The height a row of text in `metrics` needs: the font's full height
    // (ascent and descent), a pixel of room above and below it, and the grid
    // line.
    static int RowHeight(const QFontMetrics& metrics);

private:
    QSet<int> marked_;
};
