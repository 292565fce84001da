#include "forms/vlan/tportbasedvlanform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

enum PortVlanColumn { kIndex, kName, kMembers, kStatus };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

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

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    ListView1 = NewListView(splitter, "ListView1");
    auto* detail = new QWidget(splitter);
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 4, 0, 0);
    auto* fields = new QGridLayout;
    IndexEdit = NewEdit(detail, "IndexEdit");
    NameEdit = NewEdit(detail, "NameEdit");
    ComboBox1 = NewCombo(detail, "ComboBox1");
    AddField(fields, 0, 0, "Vlan Index", IndexEdit);
    AddField(fields, 0, 1, "Vlan Name", NameEdit);
    AddField(fields, 1, 0, "Status", ComboBox1);
    column->addLayout(fields);
    GroupBox1 = new QGroupBox("Member Ports", detail);
    GroupBox1->setObjectName("GroupBox1");
    column->addWidget(GroupBox1, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({180, 200});
    ClientLayout()->addWidget(splitter);

    connect(RefreshBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::SetBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::CloseBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TPortBasedVLanForm::DeleteBtnClick);
    resize(700, 520);
}

void TPortBasedVLanForm::FormCreate()
{
    try {
        MemberGrid = NewGrid(GroupBox1, kGridBoxes, kGridPerRow);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    binding_ = &NewBinding(kvforms::varsPortBasedVlan, kvListTableRows, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(ListView1, true);
        binding_->BindEdits(kIndex, "%i", IndexEdit);
        binding_->BindEdits(kName, "%s", NameEdit);
        if (MemberGrid)
            binding_->BindControlList(kMembers, TStackingPortUitForm::BitIndexText(kGridBoxes),
                                      MemberGrid->CheckBoxes());
        binding_->BindComboBox(kStatus, ComboBox1);
        ComboBox1->setCurrentIndex(-1);
        binding_->Refresh();
    });
}

void TPortBasedVLanForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] { binding_->Refresh(); });
}

void TPortBasedVLanForm::SetBtnClick()
{
    if (binding_->busy)
        return;
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*binding_, [this] { binding_->Apply(true, true); });
}

void TPortBasedVLanForm::CloseBtnClick()
{
    close();
}

void TPortBasedVLanForm::AddBtnClick()
{
    if (binding_->busy)
        return;
    KvSNMPVarList& vars = binding_->Variables();
    const std::vector<uint32_t> saved = SaveFlags(vars);
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    const bool done = Guard(*binding_, [&] {
        // The index and the status createAndGo.
        ComboBox1->setCurrentIndex(kCreateAndGo);
        SkipVariables(vars, {kName, kMembers});
        binding_->CollectValues();
        binding_->mode = KvSNMPRequest2Controls::kModeBlocking;
        binding_->Apply(false, false);
        RestoreFlags(vars, saved);
        // The list shows the new row; the editors keep what was typed.
        binding_->Refresh();
        // Then the index, name and member ports, without the status.
        RestoreFlags(vars, saved);
        SkipVariables(vars, {kStatus});
        binding_->CollectValues();
        binding_->Apply(false, false);
        RestoreFlags(vars, saved);
        binding_->CollectValues();
        binding_->Refresh();
    });
    if (!done)
        RestoreFlags(vars, saved);
}

void TPortBasedVLanForm::DeleteBtnClick()
{
    if (binding_->busy)
        return;
    KvSNMPVarList& vars = binding_->Variables();
    const std::vector<uint32_t> saved = SaveFlags(vars);
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    const bool done = Guard(*binding_, [&] {
        ComboBox1->setCurrentIndex(kDestroy);
        SkipVariables(vars, {kName, kMembers});
        binding_->CollectValues();
        binding_->mode = KvSNMPRequest2Controls::kModeBlocking;
        binding_->Apply(false, false);
        RestoreFlags(vars, saved);
        binding_->Refresh();
    });
    if (!done)
        RestoreFlags(vars, saved);
}
