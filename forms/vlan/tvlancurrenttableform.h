#pragma once
#include "forms/vlan/tbridgeform.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class QWidget;

// "VLAN Current Table": a read-only view of the 802.1Q current VLAN table
// with the VLAN deletion counter. Selecting a row shows its VLAN index and
// ticks its egress and untagged ports in two port grids.
class TVLanCurrentTableForm : public TBridgeForm {
public:
    TVLanCurrentTableForm(QWidget* owner, const KvFormHost& host);

    QLabel* ST_Count2 = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr; // exists, never shown
    QTreeWidget* LV_dot1qVlanCurrentEntry = nullptr;
    QSplitter* Splitter1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* VlanNumDeletes = nullptr;
    QLabel* StaticText1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* ScrollBox1 = nullptr;
    QWidget* ScrollBox2 = nullptr;
    TStackingPortUitForm* EgressGrid = nullptr;
    TStackingPortUitForm* UntaggedGrid = nullptr;

    KvSNMPRequest2Edits* TableBinding() const { return table_; }
    KvSNMPRequest2Edits* ScalarBinding() const { return scalar_; }

    void FormCreate();
    void RefreshBtnClick();
    void LV_dot1qVlanCurrentEntryClick();
    void LV_dot1qVlanCurrentEntryChange();

    // Unticks ports 1 to 26 of both grids and empties the VLAN index.
    void ClearDetail();

private:
    void BuildWindow();

    KvSNMPRequest2Edits* scalar_ = nullptr;
    KvSNMPRequest2Edits* table_ = nullptr;
};
