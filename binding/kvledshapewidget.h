#pragma once
#include <QWidget>

#include "binding/kvledshape.h"

class QColor;

// The widget behind a LED: paints a filled shape in one colour, outline and
// fill alike. Kinds: 0 rectangle, 1 square, 2 rounded rectangle, 3 rounded
// square, 4 ellipse, 5 circle (the square and circle kinds use the largest
// square centred in the widget). Repaints only when its colour changes.
class KvLedShapeWidget : public QWidget, public KvLedShape {
public:
    KvLedShapeWidget(int kind, QWidget* parent);

    int32_t FillColour() const override { return colour_; }
    void Paint(int32_t colour) override;
    void ShowShape() override;

    int Kind() const { return kind_; }

    // Window colour 0x00BBGGRR as a QColor.
    static QColor WindowColour(int32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int kind_;
    int32_t colour_ = 0;
};
