#include "pages/kvcentredmodal.h"

#include <QDialog>
#include <QScreen>

#include <algorithm>

int ShowCentredModal(QDialog& window, const QWidget* centreOn)
{
    if (centreOn) {
        QRect frame(QPoint(0, 0), window.frameGeometry().size());
        frame.moveCenter(centreOn->frameGeometry().center());
        if (const QScreen* screen = centreOn->screen()) {
            const QRect area = screen->availableGeometry();
            frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
            frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
        }
        window.move(frame.topLeft());
    }
    return window.exec();
}
