#pragma once
// Helpers for the tests that drive Qt widgets.
//
//   int main(int argc, char** argv) { return kvtest::RunWidgetTests<QApplication>(argc, argv); }
//   ASSERT_TRUE(kvtest::WaitFor([&] { return done; }, 8000));
//   kvtest::Settle(200);   // nothing more may happen meanwhile
//
// Widget tests never need a display: test discovery runs them at build time
// too, so they run offscreen unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QStringList>
#include <QtCore/qnamespace.h>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace kvtest {

// Chooses the offscreen platform when QT_QPA_PLATFORM is unset or empty.
void UseOffscreenPlatform();

// The whole main of a widget test: offscreen platform, the application
// object (QApplication or a subclass), then every test.
template <typename Application>
int RunWidgetTests(int argc, char** argv)
{
    UseOffscreenPlatform();
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Runs the event loop until done() holds or ms milliseconds have passed;
// gives done() at the end.
bool WaitFor(const std::function<bool()>& done, int ms);

// Lets the event loop run for ms milliseconds (to see that nothing more
// happens).
void Settle(int ms);

// Clicks a row of a shown list view as the operator does, Shift or Ctrl
// held down for a range or one more row; scrolls it into view first.
void ClickRow(QTreeWidget* list, QTreeWidgetItem* row, Qt::KeyboardModifiers keys = Qt::NoModifier);

// The captions of the shown columns of `list` narrower than their caption
// and their widest value, up to `cap` pixels (a test expects none).
QStringList NarrowColumns(const QTreeWidget* list, int cap);

} // namespace kvtest
