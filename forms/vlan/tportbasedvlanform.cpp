#include "forms/vlan/tportbasedvlanform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

using Column = kvforms::PortBasedVlanColumn;

TPortBasedVLanForm::TPortBasedVLanForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "PortBasedVLanForm", "Port Based VLAN Table")
{
    BuildWindow();
    FormCreate();
}

void TPortBasedVLanForm::BuildWindow()
{
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    CloseBtn = NewButton("CloseBtn", "Close");
    AddBtn = NewButton("AddBtn", "Add");
    DeleteBtn = NewButton("DeleteBtn", "Delete");
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    ListView1 = NewListView(splitter, "ListView1");
    QVBoxLayout* column = AddDetailColumn(splitter);
    QGridLayout* fields = AddFieldGrid(column);
    IndexEdit = AddEditField(fields, 0, 0, "Vlan Index", "IndexEdit");
    NameEdit = AddEditField(fields, 0, 1, "Vlan Name", "NameEdit");
    ComboBox1 = AddComboField(fields, 1, 0, "Status", "ComboBox1");
    GroupBox1 = AddPortGroup(column, "Member Ports");
    SetSplit(splitter, 180, 200);

    connect(RefreshBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::SetBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::CloseBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::DeleteBtnClick);
    resize(700, 520);
}

void TPortBasedVLanForm::FormCreate()
{
    GuardMemo([this] { MemberGrid = NewGrid(GroupBox1); });

    binding_ = &NewBinding(kvforms::varsPortBasedVlan, kvListTableRows, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(ListView1, true);
        binding_->BindEdits(Column::kPortVlanIndex, "%i", IndexEdit);
        binding_->BindEdits(Column::kPortVlanName, "%s", NameEdit);
        BindGrid(*binding_, Column::kPortVlanMembers, MemberGrid);
        binding_->BindComboBox(Column::kPortVlanStatus, ComboBox1);
        ComboBox1->setCurrentIndex(-1);
        binding_->Refresh();
    });
}

void TPortBasedVLanForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] { binding_->Refresh(run_); });
}

void TPortBasedVLanForm::SetBtnClick()
{
    WriteWhenIdle(*binding_, [this] { binding_->StoreAll({.run = run_}); });
}

void TPortBasedVLanForm::CloseBtnClick()
{
    close();
}

void TPortBasedVLanForm::WriteStatus(const char* status)
{
    // The index and the status alone; from now on the binding's flows block.
    formwidgets::SelectValueName(ComboBox1, status);
    run_ = KvFlowRun::Blocking;
    binding_->Store({Column::kPortVlanIndex, Column::kPortVlanStatus}, {.refreshAfter = false, .run = run_});
    binding_->Refresh(run_);
}

void TPortBasedVLanForm::AddBtnClick()
{
    WriteWhenIdle(*binding_, [this] {
        // The new row, which the list then shows; the editors keep what was
        // typed.
        WriteStatus("createAndGo");
        // Then the index, name and member ports, without the status.
        binding_->Store(KvWriteSet::All(binding_->Variables()).Remove(Column::kPortVlanStatus),
                        {.refreshAfter = false, .run = run_});
        binding_->CollectValues();
        binding_->Refresh(run_);
    });
}

void TPortBasedVLanForm::DeleteBtnClick()
{
    WriteWhenIdle(*binding_, [this] { WriteStatus("destroy"); });
}
