#pragma once
#include "forms/vlan/tbridgeform.h"

class QLabel;
class QPushButton;

// "Port Capability Form": every port's 802.1D capabilities, in a list only.
// Refresh starts only when the auxiliary window's get-ready flag is set.
class TPortCapabilities8021dForm : public TBridgeForm {
public:
    TPortCapabilities8021dForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QTreeWidget* LV_dot1dPortCapabilitiesEntry = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void LV_dot1dPortCapabilitiesEntryChanging();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
