#pragma once
#include <cstdint>
#include <span>
#include <string_view>

struct PageCommand;

// What a menu item does when it is clicked.
enum class MenuAction : uint8_t {
    submenu,       // no click handler; holds the items that follow at a deeper level (maybe none)
    separator,     // separator line
    nothing,       // has a click handler that does nothing (the item only opens its submenu)
    page,          // generic page: the page catalogue entry of the same component name
    appForm,       // hand-made form `target` owned by the application object, shown modally
    mainForm,      // hand-made form `target` owned by the main window, kept in the form
                   // class's process-wide instance reference while shown modally
    browser,       // page `target` of the host's MIB browser program
    help,          // opens the help file
    save,          // "Save Changes": writes the save-configuration variable after a confirmation
    about,         // About window, shown without waiting
    refreshPanel,  // front-panel refresh through the waiting window `target`
};

// One item of a menu, in a flat list in menu order: an item's sub-items follow
// it directly, one level deeper. Captions are exact, trailing blanks and
// spelling included; separators have the caption "-".
struct MenuItemDef {
    uint8_t level;          // 0 for the items of the menu bar
    const char* caption;
    const char* name;       // component name
    const char* handler;    // click handler name, or null
    bool hidden;            // not visible; its sub-items are unreachable but keep their handlers
    MenuAction action;
    const char* target;     // form class or browser page name, or null
    const char* title;      // page title a form command sets before creating its form, or null
};

namespace kvtables {

// The main window's menu bar, every item in menu order.
std::span<const MenuItemDef> MainMenu();

// The pop-up menu of the front panel's port buttons; both items open
// PageSpecial::portRow pages (see PortPages()).
std::span<const MenuItemDef> PortPopupMenu();

// By component name in the main menu, then in the port pop-up menu; null when none.
const MenuItemDef* FindMenuItem(std::string_view name);

// The catalogue entry a MenuAction::page item opens; null for any other item.
const PageCommand* PageOf(const MenuItemDef& item);

// The three RMON items that the RMON state enables and disables.
std::span<const char* const> RmonStateItems();

} // namespace kvtables
