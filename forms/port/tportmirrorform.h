#pragma once
#include <string>

#include "forms/port/tbindingform.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TStackingPortUitForm;

// "Port Mirror Table": the ports whose received (Rx) and transmitted (Tx)
// traffic is copied, each on a port grid of its own, the target port that
// receives the copies, and the mirroring state. All five are scalars,
// fetched and written together (blocking); a write with no port ticked in
// either grid is refused with the "Confirm" box.
class TPortMirrorForm : public TBindingForm {
public:
    static constexpr int kWidth = 711;
    static constexpr int kHeight = 443;
    static constexpr int kGridBoxes = 32;
    static constexpr int kGridPerRow = 13;
    static constexpr int kEgressHeight = 185;
    static constexpr const char* kBothEmpty = "Ingress Ports and Egress Ports can not be empty ";

    TPortMirrorForm(QWidget* owner, const KvFormHost& host);

    QLabel* StaticText1 = nullptr; // "Max Entries"
    QLineEdit* ET_TargetPort = nullptr;
    QCheckBox* CK_Status = nullptr;     // "Mirroring Status"
    QGroupBox* IngressPortGB = nullptr; // "Rx Port List"
    QGroupBox* EgressPortGB = nullptr;  // "Tx Port List"
    QPushButton* BT_Refresh = nullptr;
    QPushButton* BT_Set = nullptr;
    QLabel* StatusPanel0 = nullptr;
    TStackingPortUitForm* IngressGrid = nullptr;
    TStackingPortUitForm* EgressGrid = nullptr;

    void FormCreate();
    void BT_RefreshClick();
    void BT_SetClick();

private:
    void BuildWindow();

    std::string numberList_;
};
