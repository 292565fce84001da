#pragma once
#include "forms/vlan/tbridgeform.h"

class QPushButton;
class QTabWidget;
class QWidget;

// "Tp Group Destination Forwarded": the group (multicast) addresses learnt
// per VLAN. The list shows VLAN and group address (contiguous hexadecimal);
// the selected entry's egress and GMRP-learnt ports are two port grids.
class TTpGroupDestinationForwardedForm : public TBridgeForm {
public:
    TTpGroupDestinationForwardedForm(QWidget* owner, const KvFormHost& host);

    QPushButton* RefreshBtn = nullptr;
    QTreeWidget* LV_dot1qTpGroupEntry = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TStackingPortUitForm* EgressGrid = nullptr;
    TStackingPortUitForm* LearntGrid = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
