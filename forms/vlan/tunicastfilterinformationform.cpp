#include "forms/vlan/tunicastfilterinformationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

using Column = kvforms::StaticUnicastColumn;

TUnicastFilterInformationForm::TUnicastFilterInformationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "UnicastFilterInformationForm", "UnicastFilterInformationForm")
{
    BuildWindow();
    FormCreate();
}

void TUnicastFilterInformationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    DeleteBtn = NewButton("DeleteBtn", "Delete");
    DeleteBtn->hide();
    FinishButtons();

    QSplitter* splitter = AddSplitter();
    LV_dot1qStaticUnicastEntry = NewListView(splitter, "LV_dot1qStaticUnicastEntry");
    QVBoxLayout* column = AddDetailColumn(splitter);
    QGridLayout* fields = AddFieldGrid(column);
    ED_UnicastVID = AddEditField(fields, 0, 0, "VID", "ED_UnicastVID");
    UnicastAddress = AddEditField(fields, 0, 1, "MAC  Address", "UnicastAddress");
    UStatus = AddComboField(fields, 1, 0, "Status", "UStatus");
    GroupBox1 = AddPortGroup(column, "Allow To Go To Port");
    SetSplit(splitter, 180, 200);

    connect(RefreshBtn, &QPushButton::clicked, this, &TUnicastFilterInformationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TUnicastFilterInformationForm::SetBtnClick);
    formwidgets::ConnectRowChanges(LV_dot1qStaticUnicastEntry, this,
                                   &TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntryChange);
    resize(700, 520);
}

void TUnicastFilterInformationForm::FormCreate()
{
    GuardMemo([this] { AllowedGrid = NewGrid(GroupBox1); });

    binding_ = &NewBinding(kvforms::varsStaticUnicast, kvListTableRows, 3);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qStaticUnicastEntry, true);
        binding_->BindEdits(Column::kUnicastVlanId, "%i{n1x4094}", ED_UnicastVID);
        binding_->BindEdits(Column::kUnicastAddress, "%h", UnicastAddress);
        BindGrid(*binding_, Column::kUnicastAllowedPorts, AllowedGrid);
        binding_->BindComboBox(Column::kUnicastStatus, UStatus);
        UStatus->setCurrentIndex(-1);
        binding_->Refresh();
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] {
        binding_->Refresh();
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::SetBtnClick()
{
    WriteWhenIdle(*binding_, [this] {
        binding_->StoreAll();
        LV_dot1qStaticUnicastEntryChange();
    });
}

void TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntryChange()
{
    formwidgets::ShowCount(ST_Count, LV_dot1qStaticUnicastEntry);
}
