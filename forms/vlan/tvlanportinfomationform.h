#pragma once
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "VLAN Port Information Form": every port's VLAN ID, ingress filtering and
// GVRP status. The port VLAN ID is shown only; Set writes the two switches
// of the selected port.
class TVLanPortInfomationForm : public TBridgeForm {
public:
    TVLanPortInfomationForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QTreeWidget* LV_dot1qPortVlanEntry = nullptr;
    QLineEdit* PortVLanID = nullptr;
    QComboBox* IngressFiltering = nullptr;
    QComboBox* GvrpStatus = nullptr;
    QLabel* AcceptableFrameTypesLabel = nullptr; // hidden with its combo
    QComboBox* AcceptableFrameTypes = nullptr;   // hidden, unbound

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void LV_dot1qPortVlanEntryChange();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
