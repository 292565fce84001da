// Draws the program's icon into PNG files: the front of a managed switch with
// two rows of ports, their link LEDs and an uplink module.
//
//   osprey-icon SIZE FILE [SIZE FILE]...
//
// The shapes are given on a 64 by 64 grid and scaled to each size.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

enum Kind { Box, Dot };

struct Shape {
    Kind kind;
    double x, y, w, h, radius; // a dot: centre x, y and radius w
    unsigned rgb;
};

// Drawn in order, over the body.
const Shape kShapes[] = {
    {Box, 6.0, 18.0, 52.0, 3.0, 1.5, 0x8FA3B6}, // light edge
    {Box, 7.0, 25.0, 7.0, 7.0, 1.0, 0x161B20},  // ports, upper row
    {Box, 16.0, 25.0, 7.0, 7.0, 1.0, 0x161B20}, {Box, 25.0, 25.0, 7.0, 7.0, 1.0, 0x161B20},
    {Box, 34.0, 25.0, 7.0, 7.0, 1.0, 0x161B20}, {Box, 7.0, 35.0, 7.0, 7.0, 1.0, 0x161B20}, // lower row
    {Box, 16.0, 35.0, 7.0, 7.0, 1.0, 0x161B20}, {Box, 25.0, 35.0, 7.0, 7.0, 1.0, 0x161B20},
    {Box, 34.0, 35.0, 7.0, 7.0, 1.0, 0x161B20}, {Box, 45.0, 27.0, 13.0, 13.0, 1.5, 0x161B20}, // uplink module
    {Box, 48.0, 31.0, 7.0, 5.0, 0.0, 0x3C6E4A}, {Dot, 10.5, 46.0, 1.8, 0.0, 0.0, 0x3DDC5A},   // link LEDs
    {Dot, 19.5, 46.0, 1.8, 0.0, 0.0, 0x3DDC5A}, {Dot, 28.5, 46.0, 1.8, 0.0, 0.0, 0xF2A33A},
    {Dot, 37.5, 46.0, 1.8, 0.0, 0.0, 0x3DDC5A}, {Dot, 51.5, 45.0, 1.8, 0.0, 0.0, 0x3DDC5A},
};

QImage Draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient face(0, 14, 0, 50);
    face.setColorAt(0, QColor(0x5B, 0x6B, 0x7C));
    face.setColorAt(1, QColor(0x34, 0x40, 0x4C));
    painter.setPen(QPen(QColor(0x1D, 0x24, 0x2B), 2));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(2, 14, 60, 36), 5, 5);

    painter.setPen(Qt::NoPen);
    for (const Shape& shape : kShapes) {
        painter.setBrush(QColor::fromRgb(shape.rgb));
        if (shape.kind == Dot)
            painter.drawEllipse(QPointF(shape.x, shape.y), shape.w, shape.w);
        else
            painter.drawRoundedRect(QRectF(shape.x, shape.y, shape.w, shape.h), shape.radius, shape.radius);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: osprey-icon SIZE FILE [SIZE FILE]...\n");
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024 || !Draw(size).save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "osprey-icon: cannot write %s at size %s\n", argv[i + 1], argv[i]);
            return 1;
        }
    }
    return 0;
}
