#pragma once
#include "binding/kvsnmprequest2controls.h"
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QWidget;

// "VLAN Static Form": lists, creates, edits and deletes the 802.1Q static
// VLANs and shows the next free local VLAN index. The egress, forbidden and
// untagged ports of the selected VLAN are three port grids.
//
// Add creates a VLAN in three writes (the VLAN ID and the status
// createAndGo; then everything but the untagged ports; then everything), and
// from the first Add on every flow of the table runs blocking for the rest of
// the window's life; Delete writes the status "Destroy". Set and Delete empty the editors
// once the write has succeeded: after a failed one they keep what the
// operator entered.
class TVlanStaticForm : public TBridgeForm {
public:
    // Status items of the combo box (the order of the value names).

    TVlanStaticForm(QWidget* owner, const KvFormHost& host);

    // --- components ---------------------------------------------------------
    QLabel* ST_Count2 = nullptr;
    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QTreeWidget* LV_dot1qVlanStaticEntry = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLineEdit* ED_VLANID = nullptr;
    QLineEdit* ED_VLANName = nullptr;
    QComboBox* Status = nullptr;
    QLabel* NextFreeLocalVlanIndex = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* ScrollBox1 = nullptr;
    QWidget* ScrollBox2 = nullptr;
    QWidget* ScrollBox3 = nullptr;
    TStackingPortUitForm* EgressGrid = nullptr;
    TStackingPortUitForm* ForbiddenGrid = nullptr;
    TStackingPortUitForm* UntaggedGrid = nullptr;

    KvSNMPRequest2Edits* TableBinding() const { return table_; }
    // How the table's flows run: asynchronously until the first Add.
    KvFlowRun TableRun() const { return tableRun_; }
    KvSNMPRequest2Edits* ScalarBinding() const { return scalar_; }

    // --- handlers -------------------------------------------------------------
    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void AddBtnClick();
    void DeleteBtnClick();
    void LV_dot1qVlanStaticEntryClick();
    void LV_dot1qVlanStaticEntryChange();

    // Unchecks the three grids, empties the VLAN ID and name, no status.
    void ClearEditors();

private:
    void BuildWindow();
    // Set and Delete: the write, then the editors emptied once it succeeded
    // (at once for a blocking write, from the completion otherwise).
    void WriteThenClear();

    KvSNMPRequest2Edits* table_ = nullptr;
    KvFlowRun tableRun_ = KvFlowRun::Async;
    bool clearAfterWrite_ = false;
    KvSNMPRequest2Edits* scalar_ = nullptr;
};
