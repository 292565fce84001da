#include "shell/panel/kvfrontpanelpicture.h"

#include "shell/panel/frontpanellayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstring>

using namespace kvfrontpanel;

namespace {

// Face colours.
const QColor kFaceTop(0xEE, 0xF0, 0xF2);
const QColor kFaceBottom(0xC6, 0xCA, 0xCF);
const QColor kEarTop(0xD4, 0xD8, 0xDC);
const QColor kEarBottom(0xAE, 0xB3, 0xB9);
const QColor kOutline(0x6A, 0x70, 0x77);
const QColor kGrooveDark(0x9A, 0xA0, 0xA6);
const QColor kGrooveLight(0xFA, 0xFB, 0xFC);
const QColor kText(0x2E, 0x33, 0x39);
const QColor kSubtleText(0x5A, 0x61, 0x69);
const QColor kBrand(0x1D, 0x4E, 0x89);
const QColor kWell(0xB7, 0xBC, 0xC2);
const QColor kBezel(0x3A, 0x3F, 0x45);

QFont pixelFont(const QFont& base, int pixels, bool bold = false, bool italic = false)
{
    QFont font(base);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QRect panelRect(LedPanelId id)
{
    const LedPanelDef& panel = kLedPanels[id];
    return QRect(panel.left, panel.top, panel.width, panel.height);
}

// A mounting ear with two slots.
void drawEar(QPainter& painter, const QRect& ear)
{
    QLinearGradient gradient(ear.topLeft(), ear.bottomLeft());
    gradient.setColorAt(0, kEarTop);
    gradient.setColorAt(1, kEarBottom);
    painter.fillRect(ear, gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int centre : {20, 74}) {
        const QRectF slot(ear.center().x() - 3.5, centre - 7, 7, 14);
        painter.setPen(QPen(kOutline, 1));
        painter.setBrush(QColor(0x55, 0x5B, 0x62));
        painter.drawRoundedRect(slot, 3.5, 3.5);
        painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
        painter.drawLine(QPointF(slot.left() + 1.5, slot.bottom() + 1), QPointF(slot.right() - 1.5, slot.bottom() + 1));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// An engraved vertical line dividing two areas of the face.
void drawGroove(QPainter& painter, int x, int top, int bottom)
{
    painter.setPen(kGrooveDark);
    painter.drawLine(x, top, x, bottom);
    painter.setPen(kGrooveLight);
    painter.drawLine(x + 1, top, x + 1, bottom);
}

// A recessed area behind a block of ports.
void drawWell(QPainter& painter, const QRect& well)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(well.topLeft(), well.bottomLeft());
    gradient.setColorAt(0, kWell.darker(108));
    gradient.setColorAt(1, kWell);
    painter.setPen(QPen(QColor(0x8C, 0x92, 0x99), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(well).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(well.left() + 3, well.bottom() + 1.5), QPointF(well.right() - 3, well.bottom() + 1.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The dark window around a LED's visible area.
void drawLedWindow(QPainter& painter, const QRect& led)
{
    const QRect bezel = led.adjusted(-2, -2, 2, 2);
    painter.fillRect(bezel, kBezel);
    painter.setPen(QColor(255, 255, 255, 190));
    painter.drawLine(bezel.left(), bezel.bottom() + 1, bezel.right() + 1, bezel.bottom() + 1);
    painter.drawLine(bezel.right() + 1, bezel.top(), bezel.right() + 1, bezel.bottom());
    painter.fillRect(led, QColor(0x1A, 0x1D, 0x20));
}

// The visible LED rectangles of one group: the shapes clipped to their panel.
template <typename Visit>
void forEachLed(const LedGroupDef& group, Visit visit)
{
    const QRect panel = panelRect(group.panel);
    int count = 1;
    for (const char* c = group.bytes; *c; ++c)
        count += (*c == ',') ? 1 : 0;
    for (int i = 0; i < count; ++i) {
        const QRect shape(panel.left() + group.left + i * (group.gap + group.width), panel.top() + 1, group.width,
                          group.height);
        visit(i, shape.intersected(panel));
    }
}

void drawText(QPainter& painter, const QRect& box, int flags, const QString& text, const QFont& font,
              const QColor& colour)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

// The metal housing of a port socket, filling the whole (transparent) glyph; the
// painter is left without antialiasing for the pixel-exact opening drawn on top.
void drawPortHousing(QPainter& painter, const QPixmap& glyph, qreal radius)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x5F, 0x66, 0x6D), 1));
    QLinearGradient metal(0, 0, 0, glyph.height());
    metal.setColorAt(0, QColor(0xD5, 0xD9, 0xDD));
    metal.setColorAt(1, QColor(0xA4, 0xAA, 0xB0));
    painter.setBrush(metal);
    painter.drawRoundedRect(QRectF(0.5, 0.5, glyph.width() - 1, glyph.height() - 1), radius, radius);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

KvFrontPanelPicture::KvFrontPanelPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kPictureWidth, kPictureHeight);
}

QSize KvFrontPanelPicture::sizeHint() const
{
    return QSize(kPictureWidth, kPictureHeight);
}

const QPixmap& KvFrontPanelPicture::Picture()
{
    if (picture_.size() != size()) {
        picture_ = QPixmap(size());
        Draw(picture_);
    }
    return picture_;
}

void KvFrontPanelPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, Picture());
}

void KvFrontPanelPicture::Draw(QPixmap& target) const
{
    target.fill(kFaceBottom);
    QPainter painter(&target);
    const QFont base = font();
    const int w = kPictureWidth;
    const int h = kPictureHeight;

    // Face and mounting ears.
    QLinearGradient face(0, 0, 0, h);
    face.setColorAt(0, kFaceTop);
    face.setColorAt(1, kFaceBottom);
    painter.fillRect(QRect(0, 0, w, h), face);
    drawEar(painter, QRect(0, 0, 22, h));
    drawEar(painter, QRect(w - 22, 0, 22, h));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kOutline);
    painter.drawLine(22, 0, 22, h - 1);
    painter.drawLine(w - 23, 0, w - 23, h - 1);
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.setPen(kGrooveLight);
    painter.drawLine(23, 1, w - 24, 1);

    // Maker and model.
    drawText(painter, QRect(30, 5, 72, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KORVAN"),
             pixelFont(base, 12, true), kBrand);
    drawText(painter, QRect(30, 19, 74, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Osprey"),
             pixelFont(base, 16, true, true), kText);
    drawText(painter, QRect(30, 37, 74, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Managed Switch"),
             pixelFont(base, 8), kSubtleText);

    // Power and console, the mode legend.
    const QFont labelFont = pixelFont(base, 10);
    const QRect power = panelRect(PowerPanel);
    const QRect console = panelRect(ConsolePanel);
    drawText(painter, QRect(power.right() + 6, power.top() - 3, 48, 13), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Power"), labelFont, kText);
    drawText(painter, QRect(console.right() + 5, console.top() - 3, 48, 13), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Console"), labelFont, kText);
    drawGroove(painter, 104, 8, h - 9);

    const struct {
        LedPanelId panel;
        const char* text;
    } legend[] = {{LinkPanel, "Link/Act"}, {SpeedPanel, "Speed"}, {FDXPanel, "FDX"}};
    drawText(painter, QRect(110, 14, 80, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Port mode"),
             pixelFont(base, 9, true), kSubtleText);
    for (const auto& row : legend) {
        const QRect led = panelRect(row.panel);
        drawText(painter, QRect(108, led.top() - 3, led.left() - 108 - 6, 13), Qt::AlignRight | Qt::AlignVCenter,
                 QString::fromLatin1(row.text), labelFont, kText);
    }
    drawGroove(painter, 197, 8, h - 9);

    // Copper ports: three blocks of eight, odd numbers above, even below.
    const QFont numberFont = pixelFont(base, 9);
    for (int block = 0; block < 3; ++block) {
        const PortButtonDef& first = kPortButtons[block * 8];
        const PortButtonDef& last = kPortButtons[block * 8 + 7];
        drawWell(painter, QRect(first.left - 4, first.top - 3, last.left + last.width - first.left + 8, 50));
    }
    for (int i = 0; i < 24; ++i) {
        const PortButtonDef& button = kPortButtons[i];
        const bool upper = (button.tag % 2) == 1;
        const QRect box = upper ? QRect(button.left, button.top - 12, button.width, 11)
                                : QRect(button.left, button.top + button.height + 4, button.width, 11);
        drawText(painter, box, Qt::AlignCenter, QString::number(button.tag), numberFont, kText);
    }
    drawGroove(painter, 553, 8, h - 9);

    // Uplink modules: the LED at the left of the two sockets of each port.
    for (int port = 25; port <= 26; ++port) {
        const PortButtonDef& a = kPortButtons[port == 25 ? 24 : 26];
        const PortButtonDef& b = kPortButtons[port == 25 ? 25 : 27];
        const QRect led = panelRect(port == 25 ? Port25Panel : Port26Panel);
        const QRect module(led.left() - 5, a.top - 7, b.left + b.width - led.left() + 10, 39);
        drawWell(painter, module);
        drawText(painter, QRect(a.left, module.top() - 14, b.left + b.width - a.left, 12), Qt::AlignCenter,
                 QString::number(port), pixelFont(base, 10, true), kText);
    }

    // A window for every LED.
    for (const LedGroupDef& group : kLedGroups)
        forEachLed(group, [&](int, const QRect& led) { drawLedWindow(painter, led); });
}

QPixmap KvFrontPanelPicture::CopperPortGlyph(bool upperRow)
{
    QPixmap glyph(19, 17);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    drawPortHousing(painter, glyph, 1.5);

    // The opening with its latch slot; contacts on the far side from the slot.
    const QColor cavity(0x1F, 0x23, 0x27);
    const int top = upperRow ? 3 : 5;
    painter.fillRect(QRect(2, top, 15, 9), cavity);
    painter.fillRect(QRect(6, upperRow ? top + 9 : top - 3, 7, 3), cavity);
    const int pinRow = upperRow ? top + 1 : top + 7;
    for (int x = 3; x <= 15; x += 2)
        painter.fillRect(QRect(x, pinRow, 1, 1), QColor(0xD4, 0xA8, 0x3A));
    return glyph;
}

QPixmap KvFrontPanelPicture::UplinkPortGlyph()
{
    QPixmap glyph(23, 20);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    drawPortHousing(painter, glyph, 2);
    painter.fillRect(QRect(3, 3, 17, 14), QColor(0x1B, 0x1F, 0x23));
    painter.fillRect(QRect(6, 8, 11, 4), QColor(0x3C, 0x6E, 0x4A));
    painter.fillRect(QRect(7, 9, 9, 1), QColor(0xD4, 0xA8, 0x3A));
    return glyph;
}
