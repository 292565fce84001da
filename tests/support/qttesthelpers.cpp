#include "tests/support/qttesthelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTest>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>

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

QStringList NarrowColumns(const QTreeWidget* list, int cap)
{
    QStringList narrow;
    const QHeaderView* header = list->header();
    const auto* view = static_cast<const QAbstractItemView*>(list);
    for (int c = 0; c < list->columnCount(); ++c) {
        const int width = header->sectionSize(c);
        if (width == 0 || header->isSectionHidden(c))
            continue;
        const int wanted = std::min(cap, std::max(view->sizeHintForColumn(c), header->sectionSizeHint(c)));
        if (width < wanted)
            narrow << QStringLiteral("%1 (%2 < %3)").arg(list->headerItem()->text(c)).arg(width).arg(wanted);
    }
    return narrow;
}

} // namespace kvtest
