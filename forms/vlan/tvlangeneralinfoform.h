#pragma once
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QLabel;
class QPushButton;

// "802.1Q Basic Configure": the VLAN version, maximum VLAN ID, supported and
// current numbers of VLANs (shown only) and the GVRP status, the one
// variable Set writes.
class TVLanGeneralInfoForm : public TBridgeForm {
public:
    TVLanGeneralInfoForm(QWidget* owner, const KvFormHost& host);

    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QLabel* VlanVersionNumber = nullptr;
    QLabel* MaxVlanId = nullptr;
    QLabel* MaxSupportedVlans = nullptr;
    QLabel* CurrentNumOfVlans = nullptr;
    QComboBox* GvrpStatus = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
