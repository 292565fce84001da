#pragma once
#include <array>

#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QLabel;
class QPushButton;

// "802.1P Basic Configure": the device capabilities and the traffic-class
// and GMRP switches, one binding each, so that a failed write of one does
// not keep the next from being written.
class TPBridgeConfigForm : public TBridgeForm {
public:
    TPBridgeConfigForm(QWidget* owner, const KvFormHost& host);

    QPushButton* BT_Set = nullptr;
    QPushButton* BT_Get = nullptr;
    QLabel* Edit_DeviceCapabilities = nullptr;
    QComboBox* TrafficClassesState = nullptr;
    QComboBox* GmrpStatus = nullptr;

    // Device capabilities, traffic classes, GMRP.
    const std::array<KvSNMPRequest2Edits*, 3>& Requests() const { return requests_; }

    void FormCreate();
    void BT_SetClick();
    void BT_GetClick();

private:
    void BuildWindow();

    std::array<KvSNMPRequest2Edits*, 3> requests_{};
};
