#pragma once
#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tables/menutree.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's menu bar, built from the menu tree (kvtables::MainMenu()):
// every item in menu order with its caption exactly as written, its component
// name as the QAction's object name (a submenu's QMenu carries it too), hidden
// items as invisible actions whose handlers still run when triggered, and
// separators. Items that only hold a submenu have no handler of their own
// ("Priority Information", "Forwarding/Filtering" and "Static Filtering " have
// one that does nothing).
//
// Clicking an item runs the command of its kind through `commands`; a
// hand-made form runs only once its form command has been given
// (SetFormCommand), and its items stay disabled until then. What a command
// raises does not leave the item's slot: it goes to the application's
// exception display (KvApplication).
//
// The program's own commands are given by menucommands::Install.
class MainMenu : public QObject {
    Q_OBJECT

public:
    // What the items do, one handler per kind of command. Empty handlers do
    // nothing.
    struct Commands {
        std::function<void(const MenuItemDef&)> openPage; // generic page
        std::function<void(const std::string& pageName)> openBrowserPage;
        std::function<void()> help;
        std::function<void()> saveChanges;
        std::function<void()> about;
        std::function<void()> refreshPanel;
        // Before a hand-made form with a page title runs: the title its
        // caption is built from.
        std::function<void(const char* title)> setPageTitle;
    };

    // Builds the items into `bar`; `window` owns this object and parents the
    // windows the commands open.
    MainMenu(QMenuBar* bar, QWidget* window, Commands commands);
    ~MainMenu() override;

    // The menu built into `window`, or nullptr.
    static MainMenu* Of(const QWidget* window);

    // The action of the item with component name `name` (a submenu's menu
    // action), or nullptr.
    QAction* Action(std::string_view name) const;
    // The submenu of the item `name`, or nullptr when it has none.
    QMenu* Submenu(std::string_view name) const;
    // The item behind an action, or nullptr.
    const MenuItemDef* ItemOf(const QAction* action) const;
    // Every action in menu order, one per item of the menu tree.
    const std::vector<QAction*>& Actions() const { return actions_; }
    QMenuBar* Bar() const { return bar_; }

    // Runs the item's handler as a click would (hidden items included;
    // disabled items do nothing).
    void Click(std::string_view name);

    // Gives the command that creates, shows modally and frees the hand-made
    // form `formClass` ("TPortTrunkForm"); every item naming that form becomes
    // enabled. An empty command disables them again. The command receives the
    // form's owner: null (the application) for the forms the application
    // owns, the main window for the others, which the command also keeps in
    // the form class's instance reference while the form is shown.
    using FormCommand = std::function<void(QWidget* owner)>;
    void SetFormCommand(std::string_view formClass, FormCommand command);
    bool HasFormCommand(std::string_view formClass) const;

    // Shows or hides again every item the menu tree marks hidden (their
    // handlers run either way; see "Show Hidden Pages" of the View menu).
    void ShowHiddenItems(bool shown);

    // Enables or disables the three RMON items ("Statistics", "History",
    // "Alarm/Event") that depend on the switch's RMON state.
    void SetRmonItemsEnabled(bool enabled);

    Commands& Handlers() { return commands_; }

    static constexpr const char* kObjectName = "MainMenuCommands";

private:
    void Build();
    void Run(const MenuItemDef& item);

    QMenuBar* bar_;
    QWidget* window_;
    Commands commands_;
    std::vector<QAction*> actions_; // parallel to kvtables::MainMenu()
    std::map<std::string, QMenu*, std::less<>> submenus_;
    std::map<std::string, FormCommand, std::less<>> formCommands_;
};
