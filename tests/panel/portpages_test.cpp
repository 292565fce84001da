// The main window against the switch simulator: the port buttons' pop-up menu
// opens the per-port pages, which read one row of their table (the button's
// port), and the LEDs go on polling while such a modal page is open.

#include "binding/kvsnmprequest2edits.h"
#include "osprey_config.h"
#include "pages/tconfigform.h"
#include "pages/uientry.h"
#include "platform/kvmessagebox.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

const std::string ent = OSPREY_ENT_OID;

using kvtest::WaitFor;

int CountContaining(const std::vector<std::string>& lines, const std::string& text)
{
    int n = 0;
    for (const std::string& line : lines)
        n += line.find(text) != std::string::npos ? 1 : 0;
    return n;
}

// What the page looked like while it was open.
struct PageSeen {
    bool opened = false;
    QString caption;
    QString portText;
    bool portEditEnabled = true;
    bool indexEditorHidden = false;
    QString secondEditor;
    int ledPollsWhileOpen = 0;
};

class PortPages : public ::testing::Test {
protected:
    PortPages() : previous(std::filesystem::current_path()) {}
    ~PortPages() override
    {
        form.reset();
        std::filesystem::current_path(previous);
        unsetenv("KORVAN_REGISTRY");
    }

    void Start()
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        std::filesystem::create_directories(dir.file("Conf"));
        dir.write("Conf/127.0.0.1.cfg", "[Program Information]\nAgentPort=" + std::to_string(sim.port()) +
                                            "\nVersion=1\nContextName=\nContextEngineID=\nSecurityModel=1\n"
                                            "SecurityLevel=0\nSecurityName=\nAuthProtocol=0\nPrivProtocol=0\n"
                                            "AuthPassword=\nPrivPassword=\n");
        const std::string registry =
            dir.write("registry.ini", "[\\SOFTWARE\\Korvan\\Halyard5.1\\MibFile]\nPath=" + dir.file("Conf") + "/\n");
        setenv("KORVAN_REGISTRY", registry.c_str(), 1);
        std::filesystem::create_directories(dir.file("work"));
        std::filesystem::current_path(dir.file("work"));

        form = std::make_unique<TMainForm>(std::vector<std::string>{"/I127.0.0.1", "/Rravine", "/Wlantern"});
        form->show();
        ASSERT_TRUE(WaitFor([&] { return form->StatusPanel0->text().startsWith("Get: (VoDADI++) Ok!"); }, 8000))
            << form->StatusPanel0->text().toStdString();
    }

    // Opens the pop-up menu on SpeedButton<button>, picks `item`, and looks
    // at the page until a LED poll has been sent while it is open.
    PageSeen OpenFromButton(int button, QAction* item)
    {
        PageSeen seen;
        TFrontPanel& panel = *form->FrontPanel;
        emit panel.SpeedButton(button)->customContextMenuRequested(QPoint(3, 3));
        panel.PortInfoPopupMenu->hide();
        QTimer::singleShot(0, [&] {
            auto* page = dynamic_cast<TConfigForm*>(QApplication::activeModalWidget());
            if (!page)
                return;
            seen.opened = true;
            const std::string led = ent + ".11.36.2.5.1.5.0";
            const int before = CountContaining(sim.logLines(), led);
            WaitFor([&] { return CountContaining(sim.logLines(), led) > before; }, 8000);
            WaitFor([&] { return page->MainBinding() && !page->MainBinding()->busy; }, 5000);
            seen.ledPollsWhileOpen = CountContaining(sim.logLines(), led) - before;
            seen.caption = page->windowTitle();
            if (auto* edit = page->findChild<QLineEdit*>(QStringLiteral("PortNumberEdit"))) {
                seen.portText = edit->text();
                seen.portEditEnabled = edit->isEnabled();
            }
            UIEntryTable& entries = page->Entries();
            seen.indexEditorHidden = entries[0].editor && entries[0].editor->isHidden();
            if (auto* second = qobject_cast<QLineEdit*>(entries[1].editor))
                seen.secondEditor = second->text();
            page->close();
        });
        item->trigger();
        return seen;
    }

    std::filesystem::path previous;
    TempDir dir;
    SimFixture sim;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(PortPages, PortInformationReadsTheRowOfTheButtonsPort)
{
    Start();
    KvMessageBox::Answerer answerer;
    const PageSeen seen = OpenFromButton(7, form->FrontPanel->PortInformation2);
    ASSERT_TRUE(seen.opened) << "no page window";
    EXPECT_EQ(seen.caption, "Port Information Table : 127.0.0.1");
    EXPECT_EQ(form->PageTitle, "Port Information Table");
    EXPECT_EQ(seen.portText, "7");
    EXPECT_FALSE(seen.portEditEnabled);
    EXPECT_TRUE(seen.indexEditorHidden);
    EXPECT_FALSE(seen.secondEditor.isEmpty());
    EXPECT_NE(seen.secondEditor, "(NULL)");
    EXPECT_TRUE(form->FrontPanel->SpeedButton(7)->isChecked());
    EXPECT_GE(seen.ledPollsWhileOpen, 1) << "the LEDs are polled while the page is open";

    // One get of row 7; the port-index column is not readable, so it is not
    // asked for (the page shows the port number itself).
    const std::string row = ent + ".11.36.2.6.1.1.4.7 NULL | " + ent + ".11.36.2.6.1.1.5.7 NULL";
    EXPECT_EQ(CountContaining(sim.logLines(), "GET v2c read: " + row), 1);
    EXPECT_EQ(CountContaining(sim.logLines(), ".11.36.2.6.1.1."), 1);
    EXPECT_TRUE(answerer.shown().empty());
}

TEST_F(PortPages, PortConfigurationOfTheSecondUplinkButtonReadsPort26)
{
    Start();
    KvMessageBox::Answerer answerer;
    const PageSeen seen = OpenFromButton(28, form->FrontPanel->PortConfiguration1);
    ASSERT_TRUE(seen.opened) << "no page window";
    EXPECT_EQ(seen.caption, "Port Configuration : 127.0.0.1");
    EXPECT_EQ(seen.portText, "26");
    EXPECT_FALSE(seen.portEditEnabled);
    EXPECT_TRUE(form->FrontPanel->SpeedButton(28)->isChecked());
    EXPECT_FALSE(form->FrontPanel->SpeedButton(7)->isChecked());
    std::string row = ent + ".11.36.2.6.2.1.2.26 NULL";
    for (int column = 3; column <= 4; ++column)
        row += " | " + ent + ".11.36.2.6.2.1." + std::to_string(column) + ".26 NULL";
    EXPECT_EQ(CountContaining(sim.logLines(), "GET v2c read: " + row), 1);
}

int main(int argc, char** argv)
{
    kvtest::UseOffscreenPlatform();
    QApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
