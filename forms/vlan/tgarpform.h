#pragma once
#include "forms/vlan/tbridgeform.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "GARP Form": the GARP join, leave and leave-all times of every port. A
// refresh or write starts only when the auxiliary window's ready flags are
// both set; starting one clears them and its completion sets them again, so
// a second Refresh while one runs does nothing.
class TGARPForm : public TBridgeForm {
public:
    TGARPForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QTreeWidget* LV_dot1dPortGarpEntry = nullptr;
    QLineEdit* GarpJoinTime = nullptr;
    QLineEdit* GarpLeaveTime = nullptr;
    QLineEdit* GarpLeaveAllTime = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void LV_dot1dPortGarpEntryChange();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* binding_ = nullptr;
};
