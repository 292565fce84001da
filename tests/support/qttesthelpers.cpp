#include "tests/support/qttesthelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTreeWidget>

namespace kvtest {

void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool WaitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

void Settle(int ms)
{
    WaitFor([] { return false; }, ms);
}

void ClickRow(QTreeWidget* list, QTreeWidgetItem* row, Qt::KeyboardModifiers keys)
{
    list->scrollToItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(row).center());
}

} // namespace kvtest
