#pragma once
#include <QString>

#include <functional>
#include <string>
#include <utility>

#include "forms/port/tbindingform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TStackingPortUitForm;

// "Traffic Segmentation Table": for every port, the ports it may forward to.
// The table is walked asynchronously; selecting a row shows its unit and
// port and ticks its forward ports on the grid of the first unit; Set writes
// the row and walks the table again. While a walk or a write is outstanding,
// Refresh and Set answer "Refresh not complete"; Stop ends the walk at its
// next step.
class TTrafficSegmentationForm : public TBindingForm {
public:
    static constexpr int kWidth = 649;
    static constexpr int kHeight = 462;
    static constexpr int kListHeight = 144;
    static constexpr int kGridPanelHeight = 214;
    static constexpr int kGridBoxes = 56; // one unit
    static constexpr int kGridPerRow = 12;
    static constexpr int kListBits = 728; // 13 units of 56 ports
    static constexpr int kPortsPerUnit = 50;
    static constexpr const char* kNotComplete = "Refresh not complete";

    TTrafficSegmentationForm(QWidget* owner, const KvFormHost& host);

    // The unit and port texts of port index n: unit n div 50 and port n mod
    // 50; a port 0 is port "50" of the unit before; unit "0" reads "15".
    static std::pair<QString, QString> UnitAndPort(int portIndex);

    QTreeWidget* LV_TrafficForward = nullptr;
    QLineEdit* Combo_Unit = nullptr; // read-only
    QLineEdit* Combo_Port = nullptr; // read-only
    QLabel* ST_Port = nullptr;       // hidden, the selected row's port index
    QWidget* Panel4 = nullptr;       // hosts the port grid
    QLabel* StaticText1 = nullptr;   // row counter
    QPushButton* BT_Get = nullptr;   // "Refresh"
    QPushButton* BT_Set = nullptr;   // "Set"
    QPushButton* StopBtn = nullptr;  // "Stop"
    QLabel* StatusPanel0 = nullptr;
    TStackingPortUitForm* PortGrid = nullptr;

    // Set when a fetch (or a write) has completed or Stop was pressed.
    bool GetComplete = false;
    bool RequestComplete = false;

    void FormCreate();
    void BT_GetClick();
    void BT_SetClick();
    void StopBtnClick();
    void LV_TrafficForwardClick();
    void LV_TrafficForwardChange();

private:
    void BuildWindow();
    void SetComplete(bool complete);
    // Refresh and Set: answered "Refresh not complete" while a flow is
    // outstanding; otherwise a walk Stop ended is let finish and `start`
    // runs on the request made active again. False when it did not start.
    bool StartFlow(const std::function<void(KvSNMPRequest2Edits&)>& start);

    std::string numberList_;
};
