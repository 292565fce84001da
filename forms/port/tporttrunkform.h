#pragma once
#include <string>

#include "forms/port/tbindingform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TStackingPortUitForm;

// "Port Trunk Table": the switch's trunk groups (index 1-7, master port,
// member ports on a port grid, row status, flooding port). A selected group
// is written with Set; Add creates the group named by ED_Index in two
// writes (first only its status "createAndGo", then master port and
// members); Delete writes "destroy" alone. Every flow of the window runs
// blocking; every outcome is a status line in the status bar's panel.
class TPortTrunkForm : public TBindingForm {
public:
    static constexpr int kWidth = 655;
    static constexpr int kHeight = 431;
    static constexpr int kGridBoxes = 32;
    static constexpr int kGridPerRow = 13;

    TPortTrunkForm(QWidget* owner, const KvFormHost& host);

    QTreeWidget* LV_PortTrunk = nullptr;
    QLineEdit* ED_Index = nullptr;
    QLineEdit* ED_MasterPort = nullptr;
    QComboBox* Combo_State = nullptr;
    QLabel* NameLabel = nullptr;  // hidden
    QLineEdit* ED_Name = nullptr; // hidden
    QWidget* StackingPortPanel = nullptr;
    QPushButton* BT_Get = nullptr;    // "Refresh"
    QPushButton* SetBtn = nullptr;    // "Set"
    QPushButton* BT_Set = nullptr;    // "Add"
    QPushButton* BT_Delete = nullptr; // "Delete"
    QLabel* StatusPanel0 = nullptr;   // the status bar's panel
    TStackingPortUitForm* PortGrid = nullptr;

    void FormCreate();
    void BT_GetClick();
    void SetBtnClick();
    void BT_SetClick();
    void BT_DeleteClick();
    void LV_PortTrunkClick();

private:
    void BuildWindow();
    // ED_Index white, enabled and empty (a new group), or in the button face
    // colour and disabled (the index of an existing group cannot change).
    void SetIndexEditable(bool editable);
    void ResetIndex();

    std::string numberList_;
};
