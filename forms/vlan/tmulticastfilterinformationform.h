#pragma once
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "MulticastFilterInformationForm": the static multicast filter entries,
// with their egress and forbidden ports in two port grids. VID and MAC
// address (contiguous hexadecimal) with the receive port of the selected
// row form the index of a write.
class TMulticastFilterInformationForm : public TBridgeForm {
public:
    TMulticastFilterInformationForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QTreeWidget* LV_dot1qStaticMulticastEntry = nullptr;
    QLineEdit* ED_MulticastVID = nullptr;
    QLineEdit* ED_MACAddress = nullptr;
    QComboBox* Status = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TStackingPortUitForm* EgressGrid = nullptr;
    TStackingPortUitForm* ForbiddenGrid = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void LV_dot1qStaticMulticastEntryChange();

    // Unticks ports 1 to 26 of both grids, empties VID and MAC, no status.
    void ClearEditors();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
