#include "binding/kvledshapewidget.h"

#include <QColor>
#include <QPainter>

#include <algorithm>

KvLedShapeWidget::KvLedShapeWidget(int kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent, kind_ == 0 || kind_ == 1);
    // The LED is a picture element: clicks go to what lies beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KvLedShapeWidget::Paint(int32_t colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void KvLedShapeWidget::ShowShape()
{
    if (isHidden())
        show();
}

QColor KvLedShapeWidget::WindowColour(int32_t colour)
{
    const uint32_t c = static_cast<uint32_t>(colour);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void KvLedShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor colour = WindowColour(colour_);
    QRect area = rect();
    if (kind_ == 1 || kind_ == 3 || kind_ == 5) {
        const int side = std::min(area.width(), area.height());
        area = QRect(area.x() + (area.width() - side) / 2, area.y() + (area.height() - side) / 2, side, side);
    }
    switch (kind_) {
    case 0:
    case 1:
        painter.fillRect(area, colour);
        break;
    case 2:
    case 3:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(colour);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        break;
    default:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(colour);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    }
}
