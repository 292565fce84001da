#include "forms/vlan/tvlanportinfomationform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/vlan/vlanformtables.h"

namespace {

enum PortVlanColumn { kPort, kPvid, kIngressFiltering, kGvrpStatus };

} // namespace

TVLanPortInfomationForm::TVLanPortInfomationForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "VLanPortInfomationForm", "VLAN Port Information Form")
{
    BuildWindow();
    FormCreate();
}

void TVLanPortInfomationForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    LV_dot1qPortVlanEntry = NewListView(splitter, "LV_dot1qPortVlanEntry");
    auto* editors = new QWidget(splitter);
    auto* fields = new QGridLayout(editors);
    fields->setContentsMargins(0, 4, 0, 0);
    PortVLanID = NewEdit(editors, "PortVLanID");
    IngressFiltering = NewCombo(editors, "IngressFiltering");
    GvrpStatus = NewCombo(editors, "GvrpStatus");
    AcceptableFrameTypes = NewCombo(editors, "AcceptableFrameTypes");
    AddField(fields, 0, 0, "Port VLAN ID", PortVLanID);
    AddField(fields, 0, 1, "Ingress Filtering", IngressFiltering);
    AddField(fields, 1, 0, "GVRP Status", GvrpStatus);
    AcceptableFrameTypesLabel = AddField(fields, 1, 1, "Acceptable Frame Types", AcceptableFrameTypes);
    AcceptableFrameTypesLabel->hide();
    AcceptableFrameTypes->hide();
    fields->setRowStretch(2, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({260, 70});
    ClientLayout()->addWidget(splitter);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVLanPortInfomationForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TVLanPortInfomationForm::SetBtnClick);
    ConnectRowChanges(LV_dot1qPortVlanEntry, &TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange);
    resize(600, 480);
}

void TVLanPortInfomationForm::FormCreate()
{
    binding_ = &NewBinding(kvforms::varsPortVlan, kvListTable, 1);
    Guard(*binding_, [this] {
        binding_->AttachListView(LV_dot1qPortVlanEntry, true);
        binding_->BindEdits(kPvid, "%i{}", PortVLanID);
        binding_->BindComboBox(kIngressFiltering, IngressFiltering);
        binding_->BindComboBox(kGvrpStatus, GvrpStatus);
        IngressFiltering->setCurrentIndex(-1);
        GvrpStatus->setCurrentIndex(-1);
        binding_->Refresh();
        PortVLanID->clear();
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::RefreshBtnClick()
{
    if (binding_->busy)
        return;
    Guard(*binding_, [this] {
        binding_->Refresh();
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::SetBtnClick()
{
    if (binding_->busy)
        return;
    const QString caption = SelectedCaption(LV_dot1qPortVlanEntry);
    binding_->lastOperation = KvSNMPRequest2Controls::kLastSet;
    Guard(*binding_, [&] {
        binding_->CollectValues();
        binding_->Apply(true, true);
        SelectRowByCaption(LV_dot1qPortVlanEntry, caption, [this] { PortVLanID->clear(); });
        LV_dot1qPortVlanEntryChange();
    });
}

void TVLanPortInfomationForm::LV_dot1qPortVlanEntryChange()
{
    ShowCount(ST_Count, LV_dot1qPortVlanEntry);
}
