#pragma once
#include <QPixmap>
#include <QWidget>

// The picture of the switch's front panel behind the port buttons and the LED
// panels: the face with its mounting ears, the maker's and model's names, the
// power and console LED labels, the link / speed / FDX legend, the 24 copper
// ports in three groups of eight with their numbers and the two uplink
// modules, and a recessed window for every LED. Drawn once per size and kept.
class KvFrontPanelPicture : public QWidget {
public:
    explicit KvFrontPanelPicture(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // The drawn picture (for tests and screenshots).
    const QPixmap& Picture();

    // The glyph of a copper port (notch down for the upper row, up for the
    // lower row) and of an uplink port, drawn to fit the port buttons.
    static QPixmap CopperPortGlyph(bool upperRow);
    static QPixmap UplinkPortGlyph();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Draw(QPixmap& target) const;

    QPixmap picture_;
};
