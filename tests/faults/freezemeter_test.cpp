// The freeze meter the fault matrix relies on: it sees a window thread that
// is held, and not one that keeps its events flowing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <QTimer>

#include "tests/support/qttesthelpers.h"

#include "freezemeter.h"

namespace {

TEST(FreezeMeter, SeesTheEventLoopHeldAndNothingElse)
{
    FreezeMeter meter;
    meter.Start();
    kvtest::Settle(150);
    // Short pieces of work between events are no freeze.
    for (int i = 0; i < 5; ++i) {
        QTimer::singleShot(0, [] { QThread::msleep(20); });
        kvtest::Settle(30);
    }
    meter.Stop();
    EXPECT_TRUE(meter.Freezes().empty()) << meter.Describe();

    // The window thread held for 400 ms (as a blocking request would).
    meter.Start();
    kvtest::Settle(50);
    QTimer::singleShot(0, [] { QThread::msleep(400); });
    kvtest::Settle(100);
    meter.Stop();
    ASSERT_EQ(meter.Freezes().size(), 1u) << meter.Describe();
    EXPECT_GE(meter.Freezes()[0].gapMs, 390);
    EXPECT_GE(meter.LongestGapMs(), 390);
}

} // namespace

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}
