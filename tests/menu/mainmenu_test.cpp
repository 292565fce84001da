#include "common/kverror.h"
#include "platform/kvapplication.h"
#include "platform/kvhelpwindow.h"
#include "platform/kvmessagebox.h"
#include "platform/kvprogram.h"
#include "shell/mainmenu.h"
#include "shell/taboutform.h"
#include "shell/tmainform.h"
#include "shell/viewmenu.h"

#include "menutestwindow.h"

#include <gtest/gtest.h>

#include "tests/support/qttesthelpers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <span>
#include <stdexcept>

namespace {

// Frees the windows whose close asked for it.
void ProcessDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

template <typename T>
QList<T*> TopLevels()
{
    QList<T*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* typed = dynamic_cast<T*>(widget); typed && typed->isVisible())
            found << typed;
    }
    return found;
}

class MenuBarTest : public ::testing::Test {
protected:
    MenuBarTest() : menu(MainMenu::Of(&window.Form())) {}

    MenuTestWindow window;
    MainMenu* menu;
};

} // namespace

TEST_F(MenuBarTest, MirrorsTheMenuTreeItemByItem)
{
    ASSERT_NE(menu, nullptr);
    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    ASSERT_EQ(menu->Actions().size(), items.size());
    EXPECT_EQ(menu->Bar(), window.Form().MainMenu1);

    // Which widget holds each level's items while walking the tree.
    std::vector<QWidget*> parents{menu->Bar()};
    // The actions each menu should hold, in order.
    std::map<QWidget*, QList<QAction*>> expected;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemDef& item = items[i];
        QAction* action = menu->Actions()[i];
        SCOPED_TRACE(item.name);
        EXPECT_EQ(action->objectName(), item.name);
        EXPECT_EQ(menu->Action(item.name), action);
        EXPECT_EQ(menu->ItemOf(action), &item);
        EXPECT_EQ(action->isVisible(), !item.hidden);
        if (item.action == MenuAction::separator)
            EXPECT_TRUE(action->isSeparator());
        else
            EXPECT_EQ(action->text(), item.caption) << "captions are kept exactly, trailing blanks included";

        parents.resize(item.level + 1u);
        expected[parents[item.level]] << action;
        const bool hasChildren = i + 1 < items.size() && items[i + 1].level > item.level;
        QMenu* submenu = menu->Submenu(item.name);
        EXPECT_EQ(submenu != nullptr, hasChildren);
        if (submenu) {
            EXPECT_EQ(submenu->menuAction(), action);
            EXPECT_EQ(submenu->title(), item.caption);
            EXPECT_EQ(submenu->objectName(), item.name);
            parents.push_back(submenu);
        }
    }
    // The main window's own View menu stands before Help.
    QList<QAction*>& bar = expected[menu->Bar()];
    bar.insert(bar.indexOf(menu->Action("Help1")), window.Form().View->Menu()->menuAction());
    for (const auto& [holder, actions] : expected)
        EXPECT_EQ(holder->actions(), actions) << holder->objectName().toStdString();

    // The bar: the nine menus of the tree and View, in order.
    QStringList titles;
    for (QAction* action : menu->Bar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"Basic Configuration", "RMON", "Bridge", "VLAN", "SNMP V3", "Security Management",
                                   "802.1X", "Layer 2 Management", "View", "Help"}));
}

TEST_F(MenuBarTest, ExactCaptionsOfTellingItems)
{
    EXPECT_EQ(menu->Action("Information2")->text(), "STP Control ");
    EXPECT_EQ(menu->Action("IGMPInformation1")->text(), "IGMP Information ");
    EXPECT_EQ(menu->Action("TrafficSegmentationTable1")->text(), "Traffic Segmentation Table ");
    EXPECT_EQ(menu->Action("StatisticTable1")->text(), "EAP Over Land  Frames Statistic Table");
    EXPECT_EQ(menu->Action("MoudleBasicConfig")->text(), "Moudle Basic Configuration");
    EXPECT_EQ(menu->Action("AggreatorPortTable1")->text(), "Aggreator Port Table");
    EXPECT_EQ(menu->Submenu("N8021d1")->title(), "802.1d ");
    EXPECT_EQ(menu->Submenu("StaticVLANEntry1")->title(), "802.1Q VLAN ");
    // "Alarm/Event" and "Forwarding/Filtering" show their slash, no mnemonic.
    EXPECT_EQ(menu->Action("AlarmEvent1")->text(), "Alarm/Event");
}

TEST_F(MenuBarTest, HiddenItemsKeepWorkingHandlers)
{
    QAction* save = menu->Action("SaveChanges1");
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isVisible());
    KvMessageBox::Answerer answerer(QMessageBox::Cancel);
    save->trigger();
    ASSERT_EQ(answerer.shown().size(), 1u);
    const KvMessageBoxRequest& box = answerer.shown()[0];
    EXPECT_EQ(box.title, "Device Save Changes");
    EXPECT_EQ(box.text, "Are you sure?");
    EXPECT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.icon, QMessageBox::Information);

    // A hidden browser item below a visible menu still writes its host check.
    window.Form().StatusPanel0->clear();
    ASSERT_FALSE(menu->Action("GMRP1")->isVisible());
    menu->Click("GMRP1");
    EXPECT_EQ(window.Form().StatusPanel0->text(), "No Path!");
}

TEST_F(MenuBarTest, BrowserItemsReportAMissingHost)
{
    window.Form().StatusPanel0->clear();
    menu->Action("Information3")->trigger();
    EXPECT_EQ(window.Form().StatusPanel0->text(), "No Path!");
}

TEST(MenuBarOpenView, EmptyOpenViewPathIsReported)
{
    MenuTestWindow window(0, "[\\SOFTWARE\\Hewlett-Packard\\OpenView]\nOV_PATH=\n");
    MainMenu::Of(&window.Form())->Click("dot3Statistics1");
    EXPECT_EQ(window.Form().StatusPanel0->text(), "OpenView : File Path Error!");
}

TEST_F(MenuBarTest, ShowHiddenPagesShowsEveryHiddenItemAndIsKeptForTheNextStart)
{
    // "View" stands just before "Help".
    const QList<QAction*> top = menu->Bar()->actions();
    const qsizetype help = top.indexOf(menu->Action("Help1"));
    ASSERT_GT(help, 0);
    EXPECT_EQ(top[help - 1]->text(), "View");
    ViewMenu* view = window.Form().View;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(top[help - 1], view->Menu()->menuAction());
    QAction* showHidden = view->ShowHiddenPages();
    EXPECT_EQ(showHidden->text(), "Show Hidden Pages");
    ASSERT_TRUE(showHidden->isCheckable());
    EXPECT_FALSE(showHidden->isChecked());

    const std::span<const MenuItemDef> items = kvtables::MainMenu();
    const auto shownAsMarked = [&](bool hiddenShown) {
        for (size_t i = 0; i < items.size(); ++i)
            if (menu->Actions()[i]->isVisible() != (hiddenShown || !items[i].hidden))
                return false;
        return true;
    };
    EXPECT_TRUE(shownAsMarked(false));
    showHidden->trigger();
    EXPECT_TRUE(shownAsMarked(true));
    // A window behind a hidden item opens from its now visible item.
    EXPECT_TRUE(menu->Action("TrafficSegmentationTable1")->isVisible());
    EXPECT_TRUE(menu->Action("N8023ad1")->isVisible());

    // The next start finds the choice.
    EXPECT_TRUE(QSettings(ViewMenu::SettingsPath(), QSettings::IniFormat).value(ViewMenu::kShowHiddenKey).toBool());
    {
        QWidget next;
        QMenuBar bar(&next);
        const ViewMenu again(&bar, nullptr, &next);
        EXPECT_TRUE(again.ShowHiddenPages()->isChecked());
    }
    showHidden->trigger();
    EXPECT_TRUE(shownAsMarked(false));
    EXPECT_FALSE(QSettings(ViewMenu::SettingsPath(), QSettings::IniFormat).value(ViewMenu::kShowHiddenKey).toBool());
}

TEST_F(MenuBarTest, SpecialFormItemsWaitForTheirForms)
{
    // The items of the forms that exist have their commands; the others stay
    // disabled (hidden items are never shown enabled).
    int formItems = 0;
    for (size_t i = 0; i < menu->Actions().size(); ++i) {
        const MenuItemDef& item = kvtables::MainMenu()[i];
        if (item.action != MenuAction::appForm && item.action != MenuAction::mainForm)
            continue;
        ++formItems;
        // Enabled exactly when the command of its form is installed (a
        // hidden item counts as disabled; its handler still runs).
        EXPECT_EQ(menu->Actions()[i]->isEnabled(), menu->HasFormCommand(item.target) && !item.hidden) << item.name;
    }
    EXPECT_EQ(formItems, 21);
    EXPECT_TRUE(menu->HasFormCommand("TPortTrunkForm"));

    // Without its command an item is disabled and does nothing when triggered.
    menu->SetFormCommand("TPortTrunkForm", {});
    menu->SetFormCommand("TPortMirrorForm", {});
    EXPECT_FALSE(menu->Action("PortTrunk2")->isEnabled());
    int runs = 0;
    QWidget* owner = nullptr;
    menu->Click("PortTrunk2");
    EXPECT_EQ(runs, 0);

    menu->SetFormCommand("TPortTrunkForm", [&](QWidget* window) {
        ++runs;
        owner = window;
    });
    EXPECT_TRUE(menu->Action("PortTrunk2")->isEnabled());
    EXPECT_FALSE(menu->Action("PortMirrorTable1")->isEnabled());
    owner = &window.Form();
    menu->Click("PortTrunk2");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(owner, nullptr) << "the application owns the trunk form";

    // A form of the main window gets it as its owner.
    menu->SetFormCommand("TPortBasedVLanForm", [&](QWidget* window) { owner = window; });
    menu->Click("PortBasedVLAN1");
    EXPECT_EQ(owner, &window.Form());

    // The segmentation form finds its page title set when it is created.
    std::string titleSeen;
    menu->SetFormCommand("TTrafficSegmentationForm", [&](QWidget*) { titleSeen = window.Form().PageTitle; });
    menu->Click("TrafficSegmentationTable1");
    EXPECT_EQ(titleSeen, "Traffic Segmentation Table");

    menu->SetFormCommand("TPortTrunkForm", {});
    EXPECT_FALSE(menu->Action("PortTrunk2")->isEnabled());
    menu->Click("PortTrunk2");
    EXPECT_EQ(runs, 1);
}

TEST_F(MenuBarTest, ItemsThatOnlyOpenSubmenusDoNothing)
{
    window.Form().PageTitle = "before";
    const int windowsBefore = QApplication::topLevelWidgets().size();
    for (const char* name : {"PriorityInformation1", "N8021QVLAN1", "UnicastMulticastStaticFilterTable1"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(menu->Submenu(name), nullptr);
        EXPECT_FALSE(menu->Submenu(name)->actions().isEmpty());
        menu->Click(name);
    }
    // Items without a handler of their own ("Trap Receiver", the empty
    // "Entity" items) are plain, inert items.
    menu->Click("MibTrap1");
    menu->Click("PhysicalTable1");
    EXPECT_EQ(window.Form().PageTitle, "before");
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}

TEST_F(MenuBarTest, RmonItemsFollowTheirSwitch)
{
    menu->SetRmonItemsEnabled(false);
    for (const char* name : {"Statistics1", "History1", "AlarmEvent1"})
        EXPECT_FALSE(menu->Action(name)->isEnabled()) << name;
    // Only those three.
    EXPECT_TRUE(menu->Action("Statistics2")->isEnabled());
    EXPECT_TRUE(menu->Action("Information3")->isEnabled());
    window.Form().StatusPanel0->clear();
    menu->Click("History1");
    EXPECT_EQ(window.Form().StatusPanel0->text(), "") << "a disabled item starts nothing";

    menu->SetRmonItemsEnabled(true);
    for (const char* name : {"Statistics1", "History1", "AlarmEvent1"})
        EXPECT_TRUE(menu->Action(name)->isEnabled()) << name;
}

TEST_F(MenuBarTest, AboutWindowsAreModelessAndFreedWhenClosed)
{
    window.Form().show();
    // Each command opens a new window and remembers it as the current one.
    QList<TAboutForm*> abouts;
    for (int i = 0; i < 3; ++i) {
        menu->Click("About1");
        ASSERT_NE(TAboutForm::Current(), nullptr);
        EXPECT_FALSE(abouts.contains(TAboutForm::Current()));
        abouts << TAboutForm::Current();
    }
    EXPECT_EQ(TopLevels<TAboutForm>().size(), 3);
    QPointer<TAboutForm> first = abouts[0];
    QPointer<TAboutForm> second = abouts[1];
    QPointer<TAboutForm> third = abouts[2];
    for (TAboutForm* about : abouts)
        EXPECT_FALSE(about->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window stays usable";

    EXPECT_EQ(first->windowTitle(), "About Osprey  Module");
    EXPECT_EQ(first->size(), QSize(TAboutForm::kClientWidth, TAboutForm::kClientHeight));
    EXPECT_EQ(first->ABoutLabel->text(), "Korvan Osprey Management Module ");
    EXPECT_TRUE(first->ABoutLabel->font().bold());
    EXPECT_EQ(first->VersionLabel->text(), "Release Version 0.00.B013(Build 2003/12/12)");
    EXPECT_EQ(first->BT_Ok->geometry(), QRect(153, 80, 51, 25));
    EXPECT_EQ(first->Image1->geometry(), QRect(9, 40, 32, 32));
    // No label runs out of the window.
    for (QLabel* label : {first->ABoutLabel, first->VersionLabel, first->MakerLabel})
        EXPECT_LE(label->geometry().right(), TAboutForm::kClientWidth) << label->objectName().toStdString();

    // "Ok", the window's close button and Esc each close and free one.
    QTest::mouseClick(first->BT_Ok, Qt::LeftButton);
    ProcessDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(second.isNull());
    second->close();
    ProcessDeletes();
    EXPECT_TRUE(second.isNull());
    QTest::keyClick(third, Qt::Key_Escape);
    ProcessDeletes();
    EXPECT_TRUE(third.isNull());
    EXPECT_EQ(TAboutForm::Current(), nullptr);
}

TEST_F(MenuBarTest, HelpOpensTheDocumentBesideTheProgram)
{
    KvMessageBox::Answerer answerer;
    menu->Click("Help2");
    EXPECT_TRUE(answerer.shown().empty()) << answerer.shown()[0].text.toStdString();
    const QList<KvHelpWindow*> windows = TopLevels<KvHelpWindow>();
    ASSERT_EQ(windows.size(), 1);
    KvHelpWindow* help = windows[0];
    EXPECT_EQ(help->source().toLocalFile().toStdString(), KvProgram::directory() + "Osprey 2.HLP");
    EXPECT_EQ(help->documentTitle(), "Osprey Management Module");
    const QString text = help->toPlainText();
    // Starting, every menu, the simulator and troubleshooting are covered.
    for (const char* topic : {"Starting the program", "The switch simulator", "Troubleshooting", "No Path!",
                              "OpenView : File Path Error!", "Show Hidden Pages"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
    for (QAction* action : menu->Bar()->actions())
        EXPECT_TRUE(text.contains(action->text())) << action->text().toStdString();
    QPointer<KvHelpWindow> guard(help);
    help->close();
    ProcessDeletes();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(MenuBarTest, TheMainWindowHoldsItsMenu)
{
    EXPECT_EQ(window.Form().Menu, menu);
}

namespace {

// The first item of the menu tree with a handler that runs `action`.
const MenuItemDef& FirstItemOf(MenuAction action)
{
    for (const MenuItemDef& item : kvtables::MainMenu()) {
        if (item.action == action && item.handler)
            return item;
    }
    throw std::logic_error("no menu item of that kind");
}

} // namespace

// A command that raises: its error goes to the application's exception
// display (an error box with its text), not up through the signal into Qt's
// event loop, whatever it raised; the items go on working.
TEST(MenuCommandErrors, ReachTheExceptionDisplayNotTheEventLoop)
{
    QWidget window;
    int pagesOpened = 0;
    MainMenu::Commands commands;
    commands.openPage = [&pagesOpened](const MenuItemDef&) {
        ++pagesOpened;
        throw KvError(-511, "The page failed");
    };
    commands.help = [] { throw std::runtime_error("No help today"); };
    commands.about = [] { throw 42; };
    auto* menu = new MainMenu(new QMenuBar(&window), &window, std::move(commands));
    QAction* page = menu->Action(FirstItemOf(MenuAction::page).name);
    ASSERT_NE(page, nullptr);

    KvMessageBox::Answerer answerer;
    EXPECT_NO_THROW(page->trigger());
    EXPECT_NO_THROW(menu->Click(FirstItemOf(MenuAction::help).name));
    EXPECT_NO_THROW(menu->Click(FirstItemOf(MenuAction::about).name));
    EXPECT_NO_THROW(page->trigger());

    ASSERT_EQ(answerer.shown().size(), 4u);
    EXPECT_EQ(answerer.shown()[0].text, "The page failed");
    EXPECT_EQ(answerer.shown()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.shown()[1].text, "No help today");
    EXPECT_EQ(answerer.shown()[2].text, "Unknown error");
    EXPECT_EQ(answerer.shown()[3].text, "The page failed");
    EXPECT_EQ(pagesOpened, 2);
}

// The menu of a window is found by its type: another child of the window
// bearing the menu's object name is not taken for it.
TEST(MenuLookup, FindsTheMenuByTypeNotByObjectName)
{
    QWidget window;
    auto* decoy = new QObject(&window);
    decoy->setObjectName(QString::fromLatin1(MainMenu::kObjectName));
    EXPECT_EQ(MainMenu::Of(&window), nullptr);
    auto* menu = new MainMenu(new QMenuBar(&window), &window, MainMenu::Commands{});
    EXPECT_EQ(MainMenu::Of(&window), menu);
    EXPECT_EQ(MainMenu::Of(nullptr), nullptr);
}

int main(int argc, char** argv)
{
    return kvtest::RunWidgetTests<KvApplication>(argc, argv);
}
