#include "forms/vlan/tvlancurrenttableform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

enum CurrentColumn { kTimeMark, kVlanIndex, kFdbId, kEgress, kUntagged, kStatus, kCreationTime };

constexpr int kGridBoxes = 32;
constexpr int kGridPerRow = 13;

} // namespace

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

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setChildrenCollapsible(false);
    LV_dot1qVlanCurrentEntry = NewListView(Splitter1, "LV_dot1qVlanCurrentEntry");

    auto* detail = new QWidget(Splitter1);
    auto* column = new QVBoxLayout(detail);
    column->setContentsMargins(0, 4, 0, 0);
    GroupBox1 = new QGroupBox(detail);
    GroupBox1->setObjectName("GroupBox1");
    auto* fields = new QGridLayout(GroupBox1);
    VlanNumDeletes = NewStaticText(GroupBox1, "VlanNumDeletes");
    StaticText1 = NewStaticText(GroupBox1, "StaticText1");
    AddField(fields, 0, 0, "VLAN Delete Numbers", VlanNumDeletes);
    AddField(fields, 0, 1, "VLAN Index", StaticText1);
    column->addWidget(GroupBox1);
    PageControl1 = new QTabWidget(detail);
    PageControl1->setObjectName("PageControl1");
    column->addWidget(PageControl1, 1);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({240, 170});
    ClientLayout()->addWidget(Splitter1);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVLanCurrentTableForm::RefreshBtnClick);
    connect(LV_dot1qVlanCurrentEntry, &QTreeWidget::itemSelectionChanged, this,
            &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryClick);
    ConnectRowChanges(LV_dot1qVlanCurrentEntry, &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange);
    resize(780, 560);
}

void TVLanCurrentTableForm::FormCreate()
{
    try {
        EgressGrid = AddGridTab(PageControl1, "Egress Port", "ScrollBox1", kGridBoxes, kGridPerRow);
        UntaggedGrid = AddGridTab(PageControl1, "Untagged Port", "ScrollBox2", kGridBoxes, kGridPerRow);
        ScrollBox1 = PageControl1->widget(0);
        ScrollBox2 = PageControl1->widget(1);
    } catch (const std::exception& e) {
        Memo1->appendPlainText(QString::fromUtf8(e.what()));
    }

    scalar_ = &NewBinding(kvforms::varsVlanNumDeletes, kvListScalars, 0);
    Guard(*scalar_, [this] {
        scalar_->BindControl(0, VlanNumDeletes);
        scalar_->Refresh();
    });

    table_ = &NewBinding(kvforms::varsVlanCurrent, kvListTableRows, 2);
    Guard(*table_, [this] {
        table_->AttachListView(LV_dot1qVlanCurrentEntry, true);
        table_->BindControl(kVlanIndex, StaticText1);
        const std::string bits = TStackingPortUitForm::BitIndexText(kGridBoxes);
        if (EgressGrid)
            table_->BindControlList(kEgress, bits, EgressGrid->CheckBoxes());
        if (UntaggedGrid)
            table_->BindControlList(kUntagged, bits, UntaggedGrid->CheckBoxes());
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
    if (!scalar_->busy)
        Guard(*scalar_, [this] { scalar_->Refresh(); });
    if (table_->busy)
        return;
    Guard(*table_, [this] {
        table_->Refresh();
        LV_dot1qVlanCurrentEntryChange();
        ClearDetail();
    });
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryClick()
{
    if (LV_dot1qVlanCurrentEntry->selectedItems().isEmpty())
        ClearDetail();
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange()
{
    ShowCount(ST_Count2, LV_dot1qVlanCurrentEntry);
}
