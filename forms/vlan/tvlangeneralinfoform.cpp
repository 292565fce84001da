#include "forms/vlan/tvlangeneralinfoform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "binding/kvsnmprequest2edits.h"
#include "forms/vlan/vlanformtables.h"

TVLanGeneralInfoForm::TVLanGeneralInfoForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "VLanGeneralInfoForm", "802.1Q Basic Configure")
{
    BuildWindow();
    FormCreate();
}

void TVLanGeneralInfoForm::BuildWindow()
{
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    SetBtn = NewButton("SetBtn", "Set");
    FinishButtons();

    QGridLayout* fields = AddFieldPanel();
    VlanVersionNumber = AddTextField(fields, 0, 0, "VLAN Version Number", "VlanVersionNumber");
    MaxVlanId = AddTextField(fields, 1, 0, "Max VLAN ID", "MaxVlanId");
    MaxSupportedVlans = AddTextField(fields, 2, 0, "Max Supported VLANs", "MaxSupportedVlans");
    CurrentNumOfVlans = AddTextField(fields, 3, 0, "Current Num Of VLANs", "CurrentNumOfVlans");
    GvrpStatus = AddComboField(fields, 4, 0, "GVRP Status", "GvrpStatus");
    fields->setRowStretch(5, 1);

    connect(RefreshBtn, &QPushButton::clicked, this, &TVLanGeneralInfoForm::RefreshBtnClick);
    connect(SetBtn, &QPushButton::clicked, this, &TVLanGeneralInfoForm::SetBtnClick);
    resize(440, 300);
}

void TVLanGeneralInfoForm::FormCreate()
{
    binding_ = &NewBinding(kvforms::varsVlanGeneral, kvListScalars, 0);
    Guard(*binding_, [this] {
        binding_->BindControl(kvforms::kGeneralVersion, VlanVersionNumber);
        binding_->BindControl(kvforms::kGeneralMaxVlanId, MaxVlanId);
        binding_->BindControl(kvforms::kGeneralMaxSupportedVlans, MaxSupportedVlans);
        binding_->BindControl(kvforms::kGeneralCurrentVlans, CurrentNumOfVlans);
        binding_->BindComboBox(kvforms::kGeneralGvrpStatus, GvrpStatus);
        GvrpStatus->setCurrentIndex(-1);
        binding_->Refresh();
    });
}

void TVLanGeneralInfoForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] { binding_->Refresh(); });
}

void TVLanGeneralInfoForm::SetBtnClick()
{
    WriteWhenIdle(*binding_, [this] {
        binding_->CollectValues();
        binding_->StoreAll();
    });
}
