#pragma once
#include "binding/kvsnmprequest2controls.h"
#include "forms/vlan/tbridgeform.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// "Port Based VLAN Table": the switch's own port-based VLANs (index, name,
// member ports, row status). Add creates a VLAN in two writes with a refresh
// between them (the index and the status createAndGo; then name and member
// ports); Delete writes only the index and the status destroy. From the
// first Add or Delete on, every flow of the binding runs blocking.
class TPortBasedVLanForm : public TBridgeForm {
public:
    TPortBasedVLanForm(QWidget* owner, const KvFormHost& host);

    QPushButton* RefreshBtn = nullptr;
    QPushButton* SetBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLineEdit* IndexEdit = nullptr;
    QLineEdit* NameEdit = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TStackingPortUitForm* MemberGrid = nullptr;

    KvSNMPRequest2Edits* Binding() const { return binding_; }
    // How the binding's flows run: asynchronously until the first Add or
    // Delete.
    KvFlowRun Run() const { return run_; }

    void FormCreate();
    void RefreshBtnClick();
    void SetBtnClick();
    void CloseBtnClick();
    void AddBtnClick();
    void DeleteBtnClick();

private:
    void BuildWindow();
    // Writes the index and the row status named `status` alone, then
    // refreshes.
    void WriteStatus(const char* status);

    KvSNMPRequest2Edits* binding_ = nullptr;
    KvFlowRun run_ = KvFlowRun::Async;
};
