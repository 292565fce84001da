// The menu items of the port and traffic windows: each opens its window
// modally with its owner and frees it when it is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/taggregatorporttableform.h"
#include "forms/port/tdiagnosticsinformationform.h"
#include "forms/port/tequipmentbasicinfoform.h"
#include "forms/port/tmacstatistictableform.h"
#include "forms/port/tmodulebasicconfigurationform.h"
#include "forms/port/tportmirrorform.h"
#include "forms/port/tporttrunkform.h"
#include "forms/port/ttrafficsegmentationform.h"
#include "menutestwindow.h"
#include "platform/kvapplication.h"
#include "shell/mainmenu.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

namespace {

struct Opened {
    QPointer<QWidget> window;
    bool isForm = false; // of the class the item names
    QWidget* owner = nullptr;
    bool modal = false;
    QString title;
};

// Clicks the item; the modal window that comes up is recorded and closed
// after `settleMs`.
Opened OpenFromMenu(MainMenu& menu, QWidget& mainWindow, const std::string& item,
                    const std::function<bool(QWidget*)>& isForm, int settleMs = 600)
{
    Opened opened;
    QElapsedTimer waited;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == &mainWindow)
            return;
        if (!waited.isValid())
            waited.start();
        if (waited.elapsed() < settleMs)
            return;
        poll.stop();
        opened.window = modal;
        opened.isForm = isForm(modal);
        opened.owner = modal->parentWidget();
        opened.modal = modal->isModal();
        opened.title = modal->windowTitle();
        modal->close();
    });
    poll.start();
    menu.Click(item);
    poll.stop();
    return opened;
}

class PortFormsMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        window = std::make_unique<MenuTestWindow>(sim.port());
        window->Form().show();
        menu = MainMenu::Of(&window->Form());
        ASSERT_NE(menu, nullptr);
    }

    SimFixture sim;
    std::unique_ptr<MenuTestWindow> window;
    MainMenu* menu = nullptr;
};

TEST_F(PortFormsMenu, EveryItemOpensItsWindowWithItsOwnerAndFreesIt)
{
    struct Expected {
        const char* item;
        std::function<bool(QWidget*)> isForm;
        bool ownedByMainWindow;
        const char* title;
    };
    const Expected expected[] = {
        {"Test1", [](QWidget* w) { return dynamic_cast<TEquipmentBasicInfoForm*>(w) != nullptr; }, true,
         "Equiment Basic Information"},
        {"MoudleBasicConfig", [](QWidget* w) { return dynamic_cast<TModuleBasicConfigurationForm*>(w) != nullptr; },
         true, "Module Basic Configuration"},
        {"DiagnosticsInformation1", [](QWidget* w) { return dynamic_cast<TDiagnosticsInformationForm*>(w) != nullptr; },
         true, "DiagnosticsInformation  Form"},
        {"StatisticTable1", [](QWidget* w) { return dynamic_cast<TMacStatisticTableForm*>(w) != nullptr; }, true,
         "MacStatisticTableForm"},
        {"PortTrunk2", [](QWidget* w) { return dynamic_cast<TPortTrunkForm*>(w) != nullptr; }, false,
         "Port Trunk Table :127.0.0.1"},
        {"PortMirrorTable1", [](QWidget* w) { return dynamic_cast<TPortMirrorForm*>(w) != nullptr; }, false,
         "Port Mirror Table:127.0.0.1"},
        {"TrafficSegmentationTable1", [](QWidget* w) { return dynamic_cast<TTrafficSegmentationForm*>(w) != nullptr; },
         false, "Traffic Segmentation Table:127.0.0.1"},
        {"AggreatorPortTable1", [](QWidget* w) { return dynamic_cast<TAggregatorPortTableForm*>(w) != nullptr; }, true,
         "Aggregator Port Table"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.item);
        const Opened opened = OpenFromMenu(*menu, window->Form(), e.item, e.isForm);
        ASSERT_TRUE(opened.modal) << "no modal window came up";
        EXPECT_TRUE(opened.isForm);
        EXPECT_EQ(opened.owner, e.ownedByMainWindow ? static_cast<QWidget*>(&window->Form()) : nullptr);
        EXPECT_EQ(opened.title.toStdString(), e.title);
        EXPECT_TRUE(opened.window.isNull()) << "the window is freed when it closes";
    }
    EXPECT_EQ(window->Form().PageTitle, "Traffic Segmentation Table");
}

TEST_F(PortFormsMenu, ClosingTheSegmentationWindowDuringItsWalkReturns)
{
    window.reset();
    SimFixture slow({.extraArgs = {"--delay", "200"}});
    std::string error;
    ASSERT_TRUE(slow.start(&error)) << error;
    window = std::make_unique<MenuTestWindow>(slow.port());
    window->Form().show();
    menu = MainMenu::Of(&window->Form());
    QElapsedTimer opened;
    opened.start();
    const Opened result = OpenFromMenu(
        *menu, window->Form(), "TrafficSegmentationTable1",
        [](QWidget* w) { return dynamic_cast<TTrafficSegmentationForm*>(w) != nullptr; }, 800);
    ASSERT_TRUE(result.modal);
    // 27 steps of 200 ms would take over five seconds; the close waits for
    // one step only.
    EXPECT_LT(opened.elapsed(), 3000);
    EXPECT_TRUE(result.window.isNull());
}

} // namespace

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
