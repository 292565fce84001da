// The VLAN and bridge windows as the main menu opens them: each item (hidden
// ones through their handlers) shows its window modally with its owner, the
// window fetches and reports, and it is freed when it closes; the GARP
// windows keep their ready flags in the auxiliary window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>

#include "forms/vlan/tbridgeform.h"
#include "platform/kvapplication.h"
#include "shell/mainmenu.h"
#include "shell/tform1.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

#include "menutestwindow.h"

namespace {

struct FormItem {
    const char* item;    // menu component name
    const char* caption; // window caption
    bool ownedByApplication;
};

const FormItem kItems[] = {
    {"BasicConfigure2", "802.1P Basic Configure", true},
    {"GVRP1", "GARP Form", true},
    {"PortCapbility1", "Port Capability Form", true},
    {"BasicConfigure", "802.1Q Basic Configure", true},
    {"PortsInfo1", "VLAN Port Information Form", true},
    {"TpGroupDestinationForwarded1", "Tp Group Destination Forwarded", false},
    {"MulticastForwardingInformation1", "MulticastForwardingInformationForm", false},
    {"ForwardUnregisteredInformation1", "Forward Unregistered Information", false},
    {"StaticForm1", "VLAN Static Form", false},
    {"CurrentForm1", "VLAN Current Table", false},
    {"UnicastInformation1", "UnicastFilterInformationForm", false},
    {"MulticastInformation1", "MulticastFilterInformationForm", false},
    {"PortBasedVLAN1", "Port Based VLAN Table", false},
};

// Runs `open`; the form it shows modally is handed to `inspect` once no
// binding of it is busy (or after `limitMs`), then `close` ends it.
struct Visit {
    QPointer<TBridgeForm> form;
    bool modal = false;
    QWidget* parent = nullptr;
};

Visit VisitForm(const std::function<void()>& open, const std::function<void(TBridgeForm&)>& inspect,
                const std::function<void(TBridgeForm&)>& close, int limitMs = 15000)
{
    Visit visit;
    bool handled = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* form = dynamic_cast<TBridgeForm*>(QApplication::activeModalWidget());
        if (!form || handled)
            return;
        if (form->AnyBusy() && waited.elapsed() < limitMs)
            return;
        handled = true;
        visit.form = form;
        visit.modal = form->isModal();
        visit.parent = form->parentWidget();
        inspect(*form);
        close(*form);
    });
    poll.start();
    open();
    poll.stop();
    return visit;
}

class VlanFormsMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        window = std::make_unique<MenuTestWindow>(sim.port());
        menu = MainMenu::Of(&window->Form());
        ASSERT_NE(menu, nullptr);
    }

    SimFixture sim{SimFixture::Options{.extraArgs = {"--delay", "5"}}};
    std::unique_ptr<MenuTestWindow> window;
    MainMenu* menu = nullptr;
};

TEST_F(VlanFormsMenu, EachItemOpensItsWindowWithItsOwnerAndFreesIt)
{
    for (const FormItem& item : kItems) {
        SCOPED_TRACE(item.item);
        QAction* action = menu->Action(item.item);
        ASSERT_NE(action, nullptr);
        // Hidden items are run through their handlers.
        EXPECT_EQ(action->isEnabled(), action->isVisible());
        QString memo;
        QString caption;
        const Visit visit = VisitForm([&] { menu->Click(item.item); },
                                      [&](TBridgeForm& form) {
                                          caption = form.windowTitle();
                                          memo = form.Memo1->toPlainText();
                                      },
                                      [](TBridgeForm& form) { form.close(); });
        EXPECT_EQ(caption, item.caption);
        EXPECT_TRUE(visit.modal);
        EXPECT_EQ(visit.parent, item.ownedByApplication ? nullptr : &window->Form());
        EXPECT_TRUE(memo.startsWith("Get: (VoDADI++) Ok!")) << memo.toStdString();
        EXPECT_FALSE(memo.contains("Set:")) << memo.toStdString();
        EXPECT_TRUE(visit.form.isNull()) << "freed when closed";
    }
}

TEST_F(VlanFormsMenu, TheGarpWindowsUseTheAuxiliaryWindowsReadyFlags)
{
    // The program creates the auxiliary window beside the main window.
    TForm1 form1;
    TForm1* aux = TForm1::Instance();
    ASSERT_EQ(aux, &form1);
    aux->GetReady = false;
    aux->SetReady = false;
    VisitForm([&] { menu->Click("GVRP1"); }, [](TBridgeForm&) {}, [](TBridgeForm& form) { form.close(); });
    // The first fetch's completion raised both.
    EXPECT_TRUE(aux->GetReady);
    EXPECT_TRUE(aux->SetReady);
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
