#include "forms/vlan/tmulticastfilterinformationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

using Column = kvforms::StaticMulticastColumn;

TMulticastFilterInformationForm::TMulticastFilterInformationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "MulticastFilterInformationForm", "MulticastFilterInformationForm")
{
    BuildWindow();
    FormCreate();
}

void TMulticastFilterInformationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    LV_dot1qStaticMulticastEntry = NewListView(splitter, "LV_dot1qStaticMulticastEntry");
    QVBoxLayout* column = AddDetailColumn(splitter);
    QWidget* detail = column->parentWidget();
    QGridLayout* fields = AddFieldGrid(column);
    ED_MulticastVID = AddEditField(fields, 0, 0, "VID", "ED_MulticastVID");
    ED_MACAddress = AddEditField(fields, 0, 1, "MAC Address", "ED_MACAddress");
    Status = AddComboField(fields, 1, 0, "Status", "Status");
    PageControl1 = NewPageControl(detail);
    column->addWidget(PageControl1, 1);
    SetSplit(splitter, 180, 220);

    connect(RefreshBtn, &QPushButton::clicked, this, &TMulticastFilterInformationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TMulticastFilterInformationForm::SetBtnClick);
    formwidgets::ConnectRowChanges(LV_dot1qStaticMulticastEntry, this,
                                   &TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntryChange);
    resize(700, 540);
}

void TMulticastFilterInformationForm::FormCreate()
{
    AddGridTabs(PageControl1, {{"Egress Ports", &EgressGrid}, {"Forbidden Ports", &ForbiddenGrid}});

    binding_ = &NewBinding(kvforms::varsStaticMulticast, kvListTableRows, 3);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qStaticMulticastEntry, true);
        binding_->BindEdits(Column::kMulticastVlanId, "%i{n1x4094}", ED_MulticastVID);
        binding_->BindEdits(Column::kMulticastAddress, "%h", ED_MACAddress);
        BindGrid(*binding_, Column::kMulticastEgress, EgressGrid);
        BindGrid(*binding_, Column::kMulticastForbidden, ForbiddenGrid);
        binding_->BindComboBox(Column::kMulticastStatus, Status);
        Status->setCurrentIndex(-1);
        binding_->Refresh();
        LV_dot1qStaticMulticastEntryChange();
    });
}

void TMulticastFilterInformationForm::ClearEditors()
{
    ClearPorts(EgressGrid);
    ClearPorts(ForbiddenGrid);
    ED_MulticastVID->clear();
    ED_MACAddress->clear();
    Status->setCurrentIndex(-1);
}

void TMulticastFilterInformationForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] {
        binding_->Refresh();
        ClearEditors();
    });
}

void TMulticastFilterInformationForm::SetBtnClick()
{
    WriteWhenIdle(*binding_, [this] { binding_->StoreAll(); });
}

void TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntryChange()
{
    formwidgets::ShowCount(ST_Count, LV_dot1qStaticMulticastEntry);
}
