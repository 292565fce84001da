#include "binding/kvgridlinedelegate.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kMarkColour(0xD0, 0x10, 0x10);

} // namespace

int KvGridLineDelegate::RowHeight(const QFontMetrics& metrics)
{
    // The underline of "_" lies at or just below the descent; leave it two
    // pixels clear of the grid line at the cell's bottom.
    return std::max(metrics.height(), metrics.ascent() + metrics.underlinePos() + metrics.lineWidth()) + 4;
}

QSize KvGridLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), RowHeight(option.fontMetrics)));
    return size;
}

void KvGridLineDelegate::SetColumnMarked(int column, bool marked)
{
    if (marked)
        marked_.insert(column);
    else
        marked_.remove(column);
}

void KvGridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight));
    const QRect r = option.rect;
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (marked_.contains(index.column())) {
        painter->setPen(QPen(kMarkColour, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}
