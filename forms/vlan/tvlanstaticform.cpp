#include "forms/vlan/tvlanstaticform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

using Column = kvforms::VlanStaticColumn;

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

    Splitter1 = AddSplitter("Splitter1");
    LV_dot1qVlanStaticEntry = NewListView(Splitter1, "LV_dot1qVlanStaticEntry");
    QGridLayout* grid = AddDetailGrid(Splitter1);
    grid->setHorizontalSpacing(8);
    QWidget* detail = grid->parentWidget();
    ED_VLANID = AddEditField(grid, 0, 0, "VLAN ID", "ED_VLANID");
    ED_VLANName = AddEditField(grid, 0, 1, "VLAN Name", "ED_VLANName");
    Status = AddComboField(grid, 1, 0, "Status", "Status");
    NextFreeLocalVlanIndex = AddTextField(grid, 1, 1, "Next Free Local VLAN Index", "NextFreeLocalVlanIndex");

    PageControl1 = NewPageControl(detail);
    grid->addWidget(PageControl1, 2, 0, 1, 4);
    grid->setRowStretch(2, 1);
    SetSplit(Splitter1, 200, 220);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVlanStaticForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TVlanStaticForm::SetBtnClick);
    connect(AddBtn, &QPushButton::clicked, this, &TVlanStaticForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TVlanStaticForm::DeleteBtnClick);
    // Connected before the binding takes the list over, so this runs first.
    connect(LV_dot1qVlanStaticEntry, &QTreeWidget::itemSelectionChanged, this,
            &TVlanStaticForm::LV_dot1qVlanStaticEntryClick);
    formwidgets::ConnectRowChanges(LV_dot1qVlanStaticEntry, this, &TVlanStaticForm::LV_dot1qVlanStaticEntryChange);
    DeleteBtn->setEnabled(false);
    resize(720, 600);
}

void TVlanStaticForm::FormCreate()
{
    AddGridTabs(
        PageControl1,
        {{"Egress ports", &EgressGrid}, {"Forbidden Egress Ports", &ForbiddenGrid}, {"Untagged Ports", &UntaggedGrid}});
    ScrollBox1 = PageControl1->widget(0);
    ScrollBox2 = PageControl1->widget(1);
    ScrollBox3 = PageControl1->widget(2);

    table_ = &NewBinding(kvforms::varsVlanStatic, kvListTableRows, 1);
    Guard(*table_, [this] {
        table_->AttachListView(LV_dot1qVlanStaticEntry, true);
        table_->BindEdits(Column::kStaticVlanId, "%s", ED_VLANID);
        table_->BindEdits(Column::kStaticVlanName, "%s", ED_VLANName);
        BindGrid(*table_, Column::kStaticEgress, EgressGrid);
        BindGrid(*table_, Column::kStaticForbidden, ForbiddenGrid);
        BindGrid(*table_, Column::kStaticUntagged, UntaggedGrid);
        table_->BindComboBox(Column::kStaticStatus, Status);
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
    WhenIdle(*scalar_, [this] { scalar_->Refresh(); });
    WhenIdle(*table_, [this] {
        table_->Refresh(tableRun_);
        LV_dot1qVlanStaticEntryChange();
        ClearEditors();
    });
}

void TVlanStaticForm::SetBtnClick()
{
    WriteWhenIdle(*table_, [this] { WriteThenClear(); });
}

void TVlanStaticForm::WriteThenClear()
{
    clearAfterWrite_ = false;
    table_->StoreAll({.run = tableRun_});
    if (table_->busy)
        clearAfterWrite_ = true;
    else
        ClearEditors(); // a blocking write that failed has raised
}

void TVlanStaticForm::AddBtnClick()
{
    WriteWhenIdle(*table_, [this] {
        // Each write is answered before the next is sent; the table's flows
        // block from the first Add on.
        tableRun_ = KvFlowRun::Blocking;
        const KvStoreOptions rowWrite = {.refreshAfter = false, .run = tableRun_};
        formwidgets::SelectValueName(Status, "createAndGo");
        // The VLAN ID (the row index) and the status alone.
        table_->Store({Column::kStaticVlanId, Column::kStaticStatus}, rowWrite);
        // Then everything but the untagged ports, and then everything. The
        // row exists now: an agent that keeps to the row-status rules
        // refuses createAndGo for it, so these writes leave the status out.
        const KvWriteSet columns = KvWriteSet::All(table_->Variables()).Remove(Column::kStaticStatus);
        table_->Store(KvWriteSet(columns).Remove(Column::kStaticUntagged), rowWrite);
        table_->Store(columns, rowWrite);
        table_->Refresh(tableRun_);
    });
}

void TVlanStaticForm::DeleteBtnClick()
{
    WriteWhenIdle(*table_, [this] {
        formwidgets::SelectValueName(Status, "destroy");
        WriteThenClear();
        // After an asynchronous write the refresh that follows it shows the
        // list; a second walk now would run into that one.
        if (!table_->busy)
            table_->Refresh(tableRun_);
    });
}

void TVlanStaticForm::LV_dot1qVlanStaticEntryClick()
{
    const bool selected = KvListViewActions::SelectedRow(LV_dot1qVlanStaticEntry) != nullptr;
    if (!selected)
        ClearEditors();
    DeleteBtn->setEnabled(selected);
}

void TVlanStaticForm::LV_dot1qVlanStaticEntryChange()
{
    formwidgets::ShowCount(ST_Count2, LV_dot1qVlanStaticEntry);
}
