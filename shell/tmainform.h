#pragma once
#include <QMainWindow>

#include <string>
#include <vector>

class KvEventCentre;
class MainMenu;
class QLabel;
class QMenuBar;
class QScrollArea;
class QStatusBar;
class TFrontPanel;
class ViewMenu;
namespace pagecommands {
class RmonStateBinding;
}

// The main window. Constructing it is the program's start-up (see KvStartup):
// first the window's own layout is created, then the SNMP engine is started,
// the message files are loaded and the command line and INI file are applied;
// the caption becomes the switch's address. With no parameters it shows
// "No parameter input" and asks the program to end (TerminateRequested).
// A failure raises the error out of the constructor (KvConvertError, KvError).
class TMainForm : public QMainWindow {
public:
    // Start-up with the application's command line (less the program name).
    explicit TMainForm(QWidget* owner = nullptr);
    // Start-up with the given parameters.
    explicit TMainForm(const std::vector<std::string>& parameters, QWidget* owner = nullptr);
    ~TMainForm() override;

    // The one main window while it exists (nullptr otherwise).
    static TMainForm* Instance();

    // Whether start-up asked the program to end (no parameter was given).
    bool TerminateRequested() const { return terminateRequested_; }

    // Start-up texts (see KvStartupTexts) and the title of the page last opened.
    std::string PageTitle;
    std::string AgentAddress;
    std::string ReadCommunity;
    std::string WriteCommunity;
    std::string IniVersion;
    bool IniFileFound = false;

    // Window components.
    QMenuBar* MainMenu1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusPanel0 = nullptr;    // status bar panel 0
    TFrontPanel* FrontPanel = nullptr; // the scroll box's contents: picture, port buttons, LEDs

    // The menu bar's commands (shell/menucommands) and the RMON-state binding
    // (made on first re-read); the window owns both.
    MainMenu* Menu = nullptr;
    pagecommands::RmonStateBinding* RmonState = nullptr;
    // The "View" menu, before "Help" (CreateViewMenu): Show Hidden Pages,
    // Events..., Changes... (the change journal, TChangesForm).
    ViewMenu* View = nullptr;
    // The switch's notifications: the event line on the status bar, the
    // panel's port marks, View > "Events..." (the window owns it).
    KvEventCentre* Events = nullptr;

    // "Refresh Panel": the front panel's refresh through the waiting window.
    void RefreshPanel1Click();

    // Client area below the menu bar: the scroll box over the status bar.
    static constexpr int kClientWidth = 781;
    static constexpr int kClientHeight = 117;
    static constexpr int kScrollBoxHeight = 95;
    static constexpr int kStatusBarHeight = 22;
    static constexpr int kStatusPanel0Width = 50;

protected:
    // Closing the main window ends the program, whatever other windows are open.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLayout();
    // Builds the View menu: every item of it is added here.
    void CreateViewMenu();
    void RunStartup(const std::vector<std::string>& parameters);
    // Runs after start-up; the front panel sets itself up here.
    void FormCreate();

    bool terminateRequested_ = false;
};
