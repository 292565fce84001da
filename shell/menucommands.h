#pragma once
#include <functional>

#include "shell/kvstartup.h"

class MainMenu;
class QLabel;
class QMenuBar;
class QWidget;
class TFrontPanel;
class TMainForm;

// The program's own commands on the main window's menu bar and on the front
// panel's pop-up menu: page windows, browser pages, the hand-made forms,
// help, "Save Changes", About, the panel refresh and the RMON state re-read.
namespace menucommands {

// What the commands use of the main window. The window gives it, so that the
// commands do not depend on the window's class.
struct MainWindowParts {
    TMainForm* mainForm = nullptr; // handed on to the page and form commands
    QWidget* window = nullptr;     // the same window: owns the menu, parents what it opens
    QMenuBar* bar = nullptr;
    QLabel* statusPanel = nullptr; // status bar panel 0
    TFrontPanel* frontPanel = nullptr;
    std::function<KvStartupTexts()> texts; // the start-up texts as they are when an item runs
    std::function<void(const char* title)> setPageTitle;
    std::function<void()> refreshPanel;
};

// Builds the menu bar with those commands and gives the front panel its
// per-port pages and the RMON state re-read. Called once the window's
// components exist. The window owns the menu.
MainMenu* Install(const MainWindowParts& parts);

} // namespace menucommands
