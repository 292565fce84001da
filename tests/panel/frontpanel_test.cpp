// The front panel's widgets without an agent: port buttons and their group,
// LED panels, the pop-up menu, the panel refresh with its waiting window.

#include "binding/kvledshapewidget.h"
#include "binding/kvsnmprequest2leds.h"
#include "platform/kvmessagebox.h"
#include "shell/panel/kvfrontpanelpicture.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/panel/twaitingform.h"
#include "tables/pagecatalogue.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <stdexcept>

using namespace kvfrontpanel;

TEST(FrontPanel, PortButtonsCarryTheirPortsAtTheirPlaces)
{
    TFrontPanel panel;
    EXPECT_EQ(panel.size(), QSize(781, 95));
    EXPECT_EQ(panel.Image1->geometry(), QRect(0, 0, 781, 95));
    EXPECT_EQ(panel.SpeedButton(0), nullptr);
    EXPECT_EQ(panel.SpeedButton(29), nullptr);
    int perPort[27] = {};
    for (int n = 1; n <= 28; ++n) {
        QToolButton* button = panel.SpeedButton(n);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->objectName(), QStringLiteral("SpeedButton%1").arg(n));
        const int tag = button->property("tag").toInt();
        ASSERT_GE(tag, 1);
        ASSERT_LE(tag, 26);
        ++perPort[tag];
        EXPECT_TRUE(button->isCheckable());
        EXPECT_FALSE(button->icon().isNull()) << "every button shows a port glyph";
    }
    for (int port = 1; port <= 26; ++port)
        EXPECT_EQ(perPort[port], port > 24 ? 2 : 1) << "port " << port;
    // Spot checks against the layout.
    EXPECT_EQ(panel.SpeedButton(1)->geometry(), QRect(211, 32, 23, 23));
    EXPECT_EQ(panel.SpeedButton(4)->geometry(), QRect(238, 55, 23, 23));
    EXPECT_EQ(panel.SpeedButton(8)->geometry(), QRect(287, 54, 23, 23));
    EXPECT_EQ(panel.SpeedButton(23)->geometry(), QRect(517, 32, 23, 23));
    EXPECT_EQ(panel.SpeedButton(26)->geometry(), QRect(620, 51, 27, 24));
    EXPECT_EQ(panel.SpeedButton(26)->property("tag").toInt(), 25);
    EXPECT_EQ(panel.SpeedButton(28)->geometry(), QRect(718, 51, 27, 24));
    EXPECT_EQ(panel.SpeedButton(28)->property("tag").toInt(), 26);
}

TEST(FrontPanel, AtMostOneButtonIsDownAndNoneNeedsToBe)
{
    TFrontPanel panel;
    panel.show();
    auto downCount = [&] {
        int n = 0;
        for (int i = 1; i <= 28; ++i)
            n += panel.SpeedButton(i)->isChecked() ? 1 : 0;
        return n;
    };
    EXPECT_EQ(downCount(), 0);
    QTest::mouseClick(panel.SpeedButton(3), Qt::LeftButton);
    EXPECT_TRUE(panel.SpeedButton(3)->isChecked());
    QTest::mouseClick(panel.SpeedButton(27), Qt::LeftButton);
    EXPECT_TRUE(panel.SpeedButton(27)->isChecked());
    EXPECT_FALSE(panel.SpeedButton(3)->isChecked()) << "the group raises the other button";
    EXPECT_EQ(downCount(), 1);
    QTest::mouseClick(panel.SpeedButton(27), Qt::LeftButton);
    EXPECT_EQ(downCount(), 0) << "clicking the down button raises it";
}

TEST(FrontPanel, LedPanelsSitAtTheirPlaces)
{
    TFrontPanel panel;
    const QFrame* panels[] = {panel.PowerPanel,  panel.ConsolePanel, panel.LinkPanel, panel.SpeedPanel,
                              panel.FDXPanel,    panel.LedPanel1,    panel.LedPanel2, panel.LedPanel3,
                              panel.Port25Panel, panel.Port26Panel};
    for (int id = 0; id < kLedPanelCount; ++id) {
        const LedPanelDef& def = kLedPanels[id];
        ASSERT_NE(panels[id], nullptr);
        EXPECT_EQ(panels[id], panel.LedPanel(static_cast<LedPanelId>(id)));
        EXPECT_EQ(panels[id]->objectName(), QString::fromLatin1(def.name));
        EXPECT_EQ(panels[id]->geometry(), QRect(def.left, def.top, def.width, def.height)) << def.name;
    }
    EXPECT_EQ(panel.LedPanel2->geometry(), QRect(328, 6, 99, 7));
    EXPECT_EQ(panel.Port26Panel->geometry(), QRect(666, 65, 7, 7));
    EXPECT_TRUE(panel.ST_RmonState->isHidden());
    EXPECT_EQ(panel.ST_StackNum->text(), "Number");
    EXPECT_TRUE(panel.UnitListView->isHidden());
    EXPECT_TRUE(panel.PortInfoListView->isHidden());
}

TEST(FrontPanel, PopupMenuRemembersTheButtonItWasOpenedOn)
{
    TFrontPanel panel;
    panel.show();
    ASSERT_EQ(panel.PortInfoPopupMenu->actions().size(), 2);
    EXPECT_EQ(panel.PortInformation2->text(), "Port Information");
    EXPECT_EQ(panel.PortConfiguration1->text(), "Port Configuration");
    EXPECT_EQ(panel.PopupButton(), nullptr);

    QToolButton* button = panel.SpeedButton(26);
    emit button->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(panel.PopupButton(), button);
    EXPECT_EQ(panel.PopupButton()->property("tag").toInt(), 25);
    EXPECT_TRUE(panel.PortInfoPopupMenu->isVisible());
    panel.PortInfoPopupMenu->hide();
}

TEST(FrontPanel, PortPageItemsOpenThePagesOfTheButtonsPort)
{
    TFrontPanel panel;
    panel.show();
    std::vector<std::pair<std::string, int>> opened;
    panel.openPortPage = [&](const PageCommand& command, int port) { opened.emplace_back(command.name, port); };

    panel.PortInformation2->trigger();
    EXPECT_TRUE(opened.empty()) << "no pop-up has been opened on a button yet";

    QTest::mouseClick(panel.SpeedButton(5), Qt::LeftButton);
    emit panel.SpeedButton(26)->customContextMenuRequested(QPoint(3, 3));
    panel.PortInfoPopupMenu->hide();
    panel.PortInformation2->trigger();
    emit panel.SpeedButton(28)->customContextMenuRequested(QPoint(3, 3));
    panel.PortInfoPopupMenu->hide();
    panel.PortConfiguration1->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], std::make_pair(std::string("PortInformation2"), 25));
    EXPECT_EQ(opened[1], std::make_pair(std::string("PortConfiguration1"), 26));
    EXPECT_TRUE(panel.SpeedButton(28)->isChecked()) << "the button of the page is down";
    EXPECT_FALSE(panel.SpeedButton(26)->isChecked());
    EXPECT_FALSE(panel.SpeedButton(5)->isChecked());
    // The page commands behind the items are the per-port pages of the catalogue.
    const PageCommand* information = kvtables::FindPageByName("PortInformation2");
    ASSERT_NE(information, nullptr);
    EXPECT_EQ(information->special, PageSpecial::portRow);
    EXPECT_STREQ(information->title, "Port Information Table");
}

TEST(FrontPanel, LedSetupFailureLeavesThePanelQuiet)
{
    // No SNMP engine in this process: the first fetch cannot be sent.
    KvMessageBox::Answerer answerer;
    TFrontPanel panel;
    QLabel status;
    panel.FormCreate(&status);
    EXPECT_TRUE(answerer.shown().empty()) << "errors of the LED set-up are swallowed";
    ASSERT_NE(panel.LedRequest, nullptr);
    EXPECT_EQ(panel.LedRequest->Records().size(), 31u);
    EXPECT_EQ(panel.LedRequest->request.timeout, 500);
    EXPECT_EQ(panel.LedRequest->request.variables.name, " Led Status");
    EXPECT_TRUE(panel.LedRequest->RefreshTimer().isActive()) << "a failed first fetch leaves the poll running";
    EXPECT_EQ(panel.LedRequest->RefreshTimer().interval(), 3000);
    for (const auto& record : panel.LedRequest->Records())
        EXPECT_EQ(record->shape->FillColour(), 0);
    // The groups' shapes: the second port LED of the first panel, the last of the third.
    const LedRecord& port2 = *panel.LedRequest->Records()[6];
    EXPECT_EQ(port2.byteIndex, 6);
    EXPECT_EQ(dynamic_cast<QWidget*>(port2.shape)->parentWidget(), panel.LedPanel1);
    EXPECT_EQ(dynamic_cast<QWidget*>(port2.shape)->geometry(), QRect(14, 1, 6, 6));
    const LedRecord& port24 = *panel.LedRequest->Records()[28];
    EXPECT_EQ(port24.byteIndex, 28);
    EXPECT_EQ(dynamic_cast<QWidget*>(port24.shape)->geometry(), QRect(91, 1, 6, 6));
    EXPECT_EQ(panel.LedPanel3->frameStyle(), int(QFrame::NoFrame));
}

TEST(PanelRefresh, CancelShowsNoWaitingWindow)
{
    TFrontPanel panel;
    int rereads = 0;
    panel.rereadRmonState = [&] { ++rereads; };
    KvMessageBox::Answerer answerer(QMessageBox::Cancel);
    panel.RefreshPanel1Click();
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].title, "Confirm");
    EXPECT_EQ(answerer.shown()[0].text, "Refresh panel will take a minute");
    EXPECT_EQ(answerer.shown()[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(rereads, 0);
    EXPECT_EQ(panel.WaitingForm, nullptr);
}

TEST(PanelRefresh, WaitingWindowRereadsTheRmonStateAndClosesItself)
{
    QWidget window;
    window.resize(781, 140);
    auto* panel = new TFrontPanel(&window);
    window.show();
    KvMessageBox::Answerer answerer(QMessageBox::Ok);

    auto* unitWindow = new QWidget(&window, Qt::Window);
    unitWindow->show();
    panel->UnitWindows.push_back(unitWindow);

    int rereads = 0;
    QString caption;
    QSize clientSize;
    int maximum = -1;
    int advanced = -1;
    bool modal = false;
    panel->rereadRmonState = [&] {
        ++rereads;
        ASSERT_NE(panel->WaitingForm, nullptr);
        TWaitingForm* form = panel->WaitingForm;
        caption = form->windowTitle();
        clientSize = form->size();
        maximum = form->ProgressBar1->maximum();
        modal = form->isModal();
        panel->PortInfoListView->addTopLevelItem(new QTreeWidgetItem(QStringList{"1"}));
        panel->UnitListViewChange();
        advanced = form->ProgressBar1->value();
    };
    panel->RefreshPanel1Click(); // returns when the window has closed itself
    EXPECT_EQ(rereads, 1);
    EXPECT_EQ(caption, "Refreshing panel");
    EXPECT_EQ(clientSize, QSize(396, 24));
    EXPECT_EQ(maximum, 658);
    EXPECT_TRUE(modal);
    EXPECT_EQ(advanced, 2) << "each list-view change moves the bar on by one";
    EXPECT_EQ(panel->WaitingForm, nullptr) << "the waiting window is freed";
    EXPECT_FALSE(unitWindow->isVisible()) << "open unit windows are closed";
    EXPECT_TRUE(panel->UnitWindows.empty());
    EXPECT_EQ(answerer.shown().size(), 1u);

    // Without a waiting window a list-view change does nothing.
    panel->PortInfoListViewChange();
}

TEST(PanelRefresh, AnErrorStillClosesTheWaitingWindowSilently)
{
    TFrontPanel panel;
    KvMessageBox::Answerer answerer(QMessageBox::Ok);
    panel.rereadRmonState = [] { throw std::runtime_error("no agent"); };
    panel.RefreshPanel1Click();
    EXPECT_EQ(answerer.shown().size(), 1u) << "only the Confirm box";
    EXPECT_EQ(panel.WaitingForm, nullptr);
}

TEST(FrontPanelPicture, IsDrawnAtThePanelsSize)
{
    KvFrontPanelPicture picture;
    const QImage image = picture.Picture().toImage();
    EXPECT_EQ(image.size(), QSize(781, 95));
    // The LED windows are dark on the light face.
    const QColor face = image.pixelColor(400, 90);
    const QColor ledWindow = image.pixelColor(212 + 2, 7 + 2);
    EXPECT_GT(face.lightness(), 150);
    EXPECT_LT(ledWindow.lightness(), 60);
    EXPECT_EQ(KvFrontPanelPicture::CopperPortGlyph(true).size(), QSize(19, 17));
    EXPECT_EQ(KvFrontPanelPicture::UplinkPortGlyph().size(), QSize(23, 20));
}

// What a screen reader finds: each port button by its port, with its LED's
// state as the description.
TEST(FrontPanelAccessibility, PortButtonsAreNamedByTheirPortsAndDescribeTheirLed)
{
    TFrontPanel panel;
    QStringList names;
    for (int n = 1; n <= 28; ++n) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(panel.SpeedButton(n));
        ASSERT_NE(button, nullptr) << n;
        EXPECT_TRUE(button->state().checkable) << n; // a button that stays down
        names << button->text(QAccessible::Name);
        EXPECT_EQ(button->text(QAccessible::Description), "LED off") << n;
    }
    QStringList expected;
    for (int port = 1; port <= 24; ++port)
        expected << QStringLiteral("Port %1").arg(port);
    expected << "Port 25"
             << "Port 25 (second socket)"
             << "Port 26"
             << "Port 26 (second socket)";
    EXPECT_EQ(names, expected);

    EXPECT_EQ(TFrontPanel::LedDescription(0x00FF00, false), "LED green");
    EXPECT_EQ(TFrontPanel::LedDescription(0x0000FF, true), "LED red, blinking");
    EXPECT_EQ(TFrontPanel::LedDescription(0xFF0000, false), "LED blue");
    EXPECT_EQ(TFrontPanel::LedDescription(0xFFFFFF, false), "LED white");
    EXPECT_EQ(TFrontPanel::LedDescription(0x336699, false), "LED colour #996633");
    EXPECT_EQ(TFrontPanel::PortLedByte(1), 5);
    EXPECT_EQ(TFrontPanel::PortLedByte(26), 30);
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<QApplication>(argc, argv);
}
