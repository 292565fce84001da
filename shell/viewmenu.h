#pragma once
#include <QObject>

class MainMenu;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's "View" menu, before "Help": how the window shows things
// rather than what it opens. Its first item, "Show Hidden Pages", shows the
// menu items that are hidden by default (the windows behind them are built
// and work); the choice is kept in the user's settings between runs.
//
// Further View items go into Menu() (TMainForm::CreateViewMenu is the place).
class ViewMenu : public QObject {
public:
    static constexpr const char* kShowHiddenKey = "View/ShowHiddenPages";

    // Builds the menu into `bar` before the item "Help1" of `menu` (at the
    // end without it) and applies the kept choice; owned by `window`.
    ViewMenu(QMenuBar* bar, MainMenu* menu, QWidget* window);

    QMenu* Menu() const { return menu_; }
    QAction* ShowHiddenPages() const { return showHidden_; }

    // The file of the user's settings: osprey/osprey.conf in the
    // configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    static QString SettingsPath();

private:
    void Apply(bool shown);

    MainMenu* items_;
    QMenu* menu_ = nullptr;
    QAction* showHidden_ = nullptr;
};
