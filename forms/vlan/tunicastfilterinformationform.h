#pragma once
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "UnicastFilterInformationForm": the static unicast filter entries. An
// entry is written with Set: VID and MAC address (contiguous hexadecimal)
// typed or taken from the selected row, with the receive port of the
// selected row, form the index; the ports it may go to are a port grid.
class TUnicastFilterInformationForm : public TBridgeForm {
public:
    TUnicastFilterInformationForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* DeleteBtn = nullptr; // hidden, without a handler
    QTreeWidget* LV_dot1qStaticUnicastEntry = nullptr;
    QLineEdit* ED_UnicastVID = nullptr;
    QLineEdit* UnicastAddress = nullptr;
    QComboBox* UStatus = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TStackingPortUitForm* AllowedGrid = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void LV_dot1qStaticUnicastEntryChange();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
