#include "platform/kvbeep.h"

#include <QApplication>

void KvBeep()
{
    QApplication::beep();
}
