#include "forms/vlan/tvlanstaticform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

// Variables of the table list.
enum StaticColumn { kVlanId, kVlanName, kEgress, kForbidden, kUntagged, kStatus };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

TVlanStaticForm::TVlanStaticForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "VlanStaticForm", "VLAN Static Form")
{
    BuildWindow();
    FormCreate();
}

void TVlanStaticForm::BuildWindow()
{
    ST_Count2 = NewCounter("ST_Count2");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    AddBtn = NewButton("AddBtn", "Add");
    DeleteBtn = NewButton("DeleteBtn", "Delete");
    FinishButtons();

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setChildrenCollapsible(false);
    LV_dot1qVlanStaticEntry = NewListView(Splitter1, "LV_dot1qVlanStaticEntry");

    auto* detail = new QWidget(Splitter1);
    auto* grid = new QGridLayout(detail);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(8);
    ED_VLANID = NewEdit(detail, "ED_VLANID");
    ED_VLANName = NewEdit(detail, "ED_VLANName");
    Status = NewCombo(detail, "Status");
    NextFreeLocalVlanIndex = NewStaticText(detail, "NextFreeLocalVlanIndex");
    AddField(grid, 0, 0, "VLAN ID", ED_VLANID);
    AddField(grid, 0, 1, "VLAN Name", ED_VLANName);
    AddField(grid, 1, 0, "Status", Status);
    AddField(grid, 1, 1, "Next Free Local VLAN Index", NextFreeLocalVlanIndex);

    PageControl1 = new QTabWidget(detail);
    PageControl1->setObjectName("PageControl1");
    grid->addWidget(PageControl1, 2, 0, 1, 4);
    grid->setRowStretch(2, 1);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({200, 220});
    ClientLayout()->addWidget(Splitter1);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVlanStaticForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TVlanStaticForm::SetBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TVlanStaticForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TVlanStaticForm::DeleteBtnClick);
    // Connected before the binding takes the list over, so this runs first.
    connect(LV_dot1qVlanStaticEntry, &QTreeWidget::itemSelectionChanged, this,
            &TVlanStaticForm::LV_dot1qVlanStaticEntryClick);
    ConnectRowChanges(LV_dot1qVlanStaticEntry, &TVlanStaticForm::LV_dot1qVlanStaticEntryChange);
    DeleteBtn->setEnabled(false);
    resize(720, 600);
}

void TVlanStaticForm::FormCreate()
{
    try {
        EgressGrid = AddGridTab(PageControl1, "Egress ports", "ScrollBox1", kGridBoxes, kGridPerRow);
        ForbiddenGrid = AddGridTab(PageControl1, "Forbidden Egress Ports", "ScrollBox2", kGridBoxes, kGridPerRow);
        UntaggedGrid = AddGridTab(PageControl1, "Untagged Ports", "ScrollBox3", kGridBoxes, kGridPerRow);
        ScrollBox1 = PageControl1->widget(0);
        ScrollBox2 = PageControl1->widget(1);
        ScrollBox3 = PageControl1->widget(2);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    table_ = &NewBinding(kvforms::varsVlanStatic, kvListTableRows, 1);
    Guard(*table_, [this] {
        table_->AttachListView(LV_dot1qVlanStaticEntry, true);
        table_->BindEdits(kVlanId, "%s", ED_VLANID);
        table_->BindEdits(kVlanName, "%s", ED_VLANName);
        const std::string bits = TStackingPortUitForm::BitIndexText(kGridBoxes);
        if (EgressGrid)
            table_->BindControlList(kEgress, bits, EgressGrid->CheckBoxes());
        if (ForbiddenGrid)
            table_->BindControlList(kForbidden, bits, ForbiddenGrid->CheckBoxes());
        if (UntaggedGrid)
            table_->BindControlList(kUntagged, bits, UntaggedGrid->CheckBoxes());
        table_->BindComboBox(kStatus, Status);
        table_->OnSetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError& result) {
            if (clearAfterWrite_ && result.code == 0)
                ClearEditors();
            clearAfterWrite_ = false;
        };
        Status->setCurrentIndex(-1);
        table_->Refresh();
        LV_dot1qVlanStaticEntryChange();
    });

    scalar_ = &NewBinding(kvforms::varsNextFreeLocalVlanIndex, kvListScalars, 0);
    Guard(*scalar_, [this] {
        scalar_->BindControl(0, NextFreeLocalVlanIndex);
        scalar_->Refresh();
    });
}

void TVlanStaticForm::ClearEditors()
{
    for (TStackingPortUitForm* grid : {EgressGrid, ForbiddenGrid, UntaggedGrid})
        if (grid)
            grid->Clear();
    ED_VLANID->clear();
    ED_VLANName->clear();
    Status->setCurrentIndex(-1);
}

void TVlanStaticForm::RefreshBtnClick()
{
    // A flow still running on a binding is left to finish.
    if (!scalar_->busy)
        Guard(*scalar_, [this] { scalar_->Refresh(); });
    if (table_->busy)
        return;
    Guard(*table_, [this] {
        table_->Refresh();
        LV_dot1qVlanStaticEntryChange();
        ClearEditors();
    });
}

void TVlanStaticForm::SetBtnClick()
{
    if (table_->busy)
        return;
    table_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*table_, [this] { WriteThenClear(); });
}

void TVlanStaticForm::WriteThenClear()
{
    clearAfterWrite_ = false;
    table_->Apply(true, true);
    if (table_->busy)
        clearAfterWrite_ = true;
    else
        ClearEditors();   // a blocking write that failed has raised
}

void TVlanStaticForm::AddBtnClick()
{
    if (table_->busy)
        return;
    KvSNMPVarList& vars = table_->Variables();
    const std::vector<uint32_t> saved = SaveFlags(vars);
    table_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    const bool done = Guard(*table_, [&] {
        Status->setCurrentIndex(kCreateAndGo);
        // The VLAN ID (the row index) and the status alone.
        SkipVariables(vars, {kVlanName, kEgress, kForbidden, kUntagged});
        table_->CollectValues();
        table_->mode = KvSNMPRequest2Controls::kModeBlocking;
        table_->Apply(false, false);
        // Then everything but the untagged ports.
        RestoreFlags(vars, saved);
        SkipVariables(vars, {kUntagged});
        table_->CollectValues();
        table_->Apply(false, false);
        // Then everything.
        RestoreFlags(vars, saved);
        table_->CollectValues();
        table_->Apply(false, false);
        table_->Refresh();
    });
    if (!done)
        RestoreFlags(vars, saved);
}

void TVlanStaticForm::DeleteBtnClick()
{
    if (table_->busy)
        return;
    table_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*table_, [this] {
        Status->setCurrentIndex(kDestroy);
        WriteThenClear();
        // After an asynchronous write the refresh that follows it shows the
        // list; a second walk now would run into that one.
        if (!table_->busy)
            table_->Refresh();
    });
}

void TVlanStaticForm::LV_dot1qVlanStaticEntryClick()
{
    const bool selected = !LV_dot1qVlanStaticEntry->selectedItems().isEmpty();
    if (!selected)
        ClearEditors();
    DeleteBtn->setEnabled(selected);
}

void TVlanStaticForm::LV_dot1qVlanStaticEntryChange()
{
    ShowCount(ST_Count2, LV_dot1qVlanStaticEntry);
}
