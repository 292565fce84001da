#include "forms/vlan/tvlancurrenttableform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

using Column = kvforms::VlanCurrentColumn;

TVLanCurrentTableForm::TVLanCurrentTableForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "VLanCurrentTableForm", "VLAN Current Table")
{
    BuildWindow();
    FormCreate();
}

void TVLanCurrentTableForm::BuildWindow()
{
    ST_Count2 = NewCounter("ST_Count2");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    SetBtn->hide();
    FinishButtons();

    Splitter1 = AddSplitter("Splitter1");
    LV_dot1qVlanCurrentEntry = NewListView(Splitter1, "LV_dot1qVlanCurrentEntry");
    QVBoxLayout* column = AddDetailColumn(Splitter1);
    GroupBox1 = new QGroupBox(column->parentWidget());
    GroupBox1->setObjectName("GroupBox1");
    auto* fields = new QGridLayout(GroupBox1);
    VlanNumDeletes = AddTextField(fields, 0, 0, "VLAN Delete Numbers", "VlanNumDeletes");
    StaticText1 = AddTextField(fields, 0, 1, "VLAN Index", "StaticText1");
    column->addWidget(GroupBox1);
    PageControl1 = NewPageControl(column->parentWidget());
    column->addWidget(PageControl1, 1);
    SetSplit(Splitter1, 240, 170);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVLanCurrentTableForm::RefreshBtnClick);
    connect(LV_dot1qVlanCurrentEntry, &QTreeWidget::itemSelectionChanged, this,
            &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryClick);
    formwidgets::ConnectRowChanges(LV_dot1qVlanCurrentEntry, this,
                                   &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange);
    resize(780, 560);
}

void TVLanCurrentTableForm::FormCreate()
{
    AddGridTabs(PageControl1, {{"Egress Port", &EgressGrid}, {"Untagged Port", &UntaggedGrid}});
    ScrollBox1 = PageControl1->widget(0);
    ScrollBox2 = PageControl1->widget(1);

    scalar_ = &NewBinding(kvforms::varsVlanNumDeletes, kvListScalars, 0);
    Guard(*scalar_, [this] {
        scalar_->BindControl(0, VlanNumDeletes);
        scalar_->Refresh();
    });

    table_ = &NewBinding(kvforms::varsVlanCurrent, kvListTableRows, 2);
    Guard(*table_, [this] {
        table_->AttachListView(LV_dot1qVlanCurrentEntry, true);
        table_->BindControl(Column::kCurrentVlanIndex, StaticText1);
        BindGrid(*table_, Column::kCurrentEgress, EgressGrid);
        BindGrid(*table_, Column::kCurrentUntagged, UntaggedGrid);
        table_->Refresh();
        LV_dot1qVlanCurrentEntryChange();
    });
}

void TVLanCurrentTableForm::ClearDetail()
{
    ClearPorts(EgressGrid);
    ClearPorts(UntaggedGrid);
    StaticText1->clear();
}

void TVLanCurrentTableForm::RefreshBtnClick()
{
    WhenIdle(*scalar_, [this] { scalar_->Refresh(); });
    WhenIdle(*table_, [this] {
        table_->Refresh();
        LV_dot1qVlanCurrentEntryChange();
        ClearDetail();
    });
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryClick()
{
    if (!KvListViewActions::SelectedRow(LV_dot1qVlanCurrentEntry))
        ClearDetail();
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange()
{
    formwidgets::ShowCount(ST_Count2, LV_dot1qVlanCurrentEntry);
}
