#pragma once
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/panel/frontpanellayout.h"

class KvFrontPanelPicture;
class KvSNMPLedColorMapList;
class KvSNMPRequest2Leds;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QTimer;
class QTreeWidget;
class TWaitingForm;
struct PageCommand;
struct VarDef;

// The front panel of the main window, the contents of its scroll box: the
// picture of the switch, one button per port (at most one down at a time,
// none needs to be), the panels that carry the live LEDs, and the pop-up menu
// of the port buttons with the per-port pages. The LED binding polls the
// switch's LED status variable every three seconds.
class TFrontPanel : public QWidget {
public:
    explicit TFrontPanel(QWidget* parent = nullptr);
    ~TFrontPanel() override;

    // Sets up the LED binding with `statusPanel` as its status target and
    // starts polling. A failure leaves the panel without LEDs and is not
    // reported; a failed first fetch leaves polling running.
    void FormCreate(QLabel* statusPanel);

    // Opens the per-port page of `command` for port `port` (the main
    // window's page commands: page title, page window, one row of the table).
    std::function<void(const PageCommand& command, int port)> openPortPage;
    // Re-reads the RMON state and enables the RMON menu items (main window);
    // the panel refresh calls it.
    std::function<void()> rereadRmonState;

    // Handlers.
    void PortInformation2Click();
    void PortConfiguration1Click();
    void PortInfoPopupMenuPopup();
    void RefreshPanel1Click();
    void UnitListViewChange();
    void PortInfoListViewChange();
    // The first steps of the panel refresh: closes the open unit windows and
    // empties that list, empties the list of port buttons and gives the
    // buttons left in it their click handlers.
    void ResetUnitWindows();

    // The port button SpeedButton<number>, number 1 to 28.
    QToolButton* SpeedButton(int number) const;
    // What a screen reader says of the button SpeedButton<number>: "Port 1"
    // to "Port 24"; the two sockets of each uplink port "Port 25" and "Port 25
    // (second socket)", "Port 26" and "Port 26 (second socket)".
    static QString PortButtonName(int number);
    // Its description: the state of the port's LED ("LED green",
    // "LED green, blinking", "LED off").
    static QString LedDescription(int32_t colour, bool blinking);
    // Byte of the LED status value that is port `port`'s LED.
    static int PortLedByte(int port) { return port + 4; }
    // Marks the buttons of port `port` for kMarkMs (an outline) after a
    // notification of the switch about it; while the mark lasts their
    // accessible description adds `what` ("LED off; linkDown at 10:42:03").
    void MarkPort(int port, const QString& what);
    bool IsMarked(int port) const;
    // Reads the LEDs again at once, between polls.
    void RereadLeds();
    static constexpr int kMarkMs = 4000;

    // The button whose pop-up menu was opened last (null before).
    QToolButton* PopupButton() const { return popupButton_; }
    // Opens the pop-up menu on `button` at `globalPos` (what a right click does).
    void PopupAt(QToolButton* button, const QPoint& globalPos);
    QFrame* LedPanel(kvfrontpanel::LedPanelId id) const { return ledPanels_[id]; }

    // The LED status variable and the model's LED colour map.
    static const VarDef* LedStatusTable();
    static const KvSNMPLedColorMapList& LedColourMap();
    static constexpr int kLedTimeout = 500;    // hundredths of a second
    static constexpr int kLedPollPeriod = 300; // tens of milliseconds
    static constexpr const char* kLedListName = " Led Status";

    // Components.
    KvFrontPanelPicture* Image1 = nullptr;
    QFrame* PowerPanel = nullptr;
    QFrame* ConsolePanel = nullptr;
    QFrame* LinkPanel = nullptr;
    QFrame* SpeedPanel = nullptr;
    QFrame* FDXPanel = nullptr;
    QFrame* LedPanel1 = nullptr;
    QFrame* LedPanel2 = nullptr;
    QFrame* LedPanel3 = nullptr;
    QFrame* Port25Panel = nullptr;
    QFrame* Port26Panel = nullptr;
    QLabel* ST_StackNum = nullptr;
    QLabel* ST_RmonState = nullptr;
    QTreeWidget* UnitListView = nullptr;
    QTreeWidget* PortInfoListView = nullptr;
    QMenu* PortInfoPopupMenu = nullptr;
    QAction* PortInformation2 = nullptr;
    QAction* PortConfiguration1 = nullptr;
    std::unique_ptr<KvSNMPRequest2Leds> LedRequest;

    // The current waiting window while a panel refresh runs.
    QPointer<TWaitingForm> WaitingForm;
    // Open unit windows and port buttons the panel refresh works on.
    std::vector<QPointer<QWidget>> UnitWindows;
    std::vector<QToolButton*> PortButtons;

private:
    void CreateLayout();
    // Every port button's accessible description from its LED.
    void DescribePortLeds();
    void SpeedButtonToggled(QToolButton* button, bool down);
    // Per-port page of the pop-up menu item `name` ("PortInformation2" or
    // "PortConfiguration1") for the button the pop-up menu was opened on.
    void OpenPortPage(const char* name);
    void RunPanelRefresh();

    std::array<QToolButton*, kvfrontpanel::kButtonCount> speedButtons_{};
    std::array<QFrame*, kvfrontpanel::kLedPanelCount> ledPanels_{};
    // Per port (index port - 1): what the mark says, empty when unmarked, and
    // its timer.
    struct Mark {
        QString what;
        QTimer* timer = nullptr;
    };
    std::array<Mark, 26> marks_{};
    void Unmark(int port);
    // The button's style and description with or without its mark.
    void ShowMark(int port);
    QToolButton* popupButton_ = nullptr;
};
