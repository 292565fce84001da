#pragma once
#include "forms/vlan/tportsetsform.h"

// "Forward Unregistered Information": the forward-unregistered port sets per
// VLAN. Each grid holds a stacking unit's 728 boxes (13 blocks of 56, 12 to a
// row); the first unit's 26 ports show the selected VLAN's port list. Refresh
// unticks every box; Set writes the selected VLAN's static and forbidden
// ports, as the forward-all window does.
class TForwardUnregisteredInformationForm : public TPortSetsForm {
public:
    static constexpr int kBlocks = 13;
    static constexpr int kBlockBoxes = 56;

    TForwardUnregisteredInformationForm(QWidget* owner, const KvFormHost& host);

    void RefreshBtnClick() override;
};
