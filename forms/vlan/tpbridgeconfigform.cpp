#include "forms/vlan/tpbridgeconfigform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "binding/kvsnmprequest2edits.h"
#include "forms/vlan/vlanformtables.h"

TPBridgeConfigForm::TPBridgeConfigForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "PBridgeConfigForm", "802.1P Basic Configure")
{
    BuildWindow();
    FormCreate();
}

void TPBridgeConfigForm::BuildWindow()
{
    BT_Set = NewButton("BT_Set", "Set");
    BT_Get = NewButton("BT_Get", "Refresh");
    FinishButtons();

    QGridLayout* fields = AddFieldPanel();
    Edit_DeviceCapabilities = AddTextField(fields, 0, 0, "Device Capabilities", "Edit_DeviceCapabilities");
    TrafficClassesState = AddComboField(fields, 1, 0, "Traffic Classes State", "TrafficClassesState");
    GmrpStatus = AddComboField(fields, 2, 0, "GMRP Status", "GmrpStatus");
    fields->setRowStretch(3, 1);

    connect(BT_Set, &QPushButton::clicked, this, &TPBridgeConfigForm::BT_SetClick);
    connect(BT_Get, &QPushButton::clicked, this, &TPBridgeConfigForm::BT_GetClick);
    resize(440, 200);
}

void TPBridgeConfigForm::FormCreate()
{
    const VarDef* tables[] = {kvforms::varsDeviceCapabilities, kvforms::varsTrafficClassesEnabled,
                              kvforms::varsGmrpStatus};
    for (size_t i = 0; i < requests_.size(); ++i) {
        KvSNMPRequest2Edits& binding = NewBinding(tables[i], kvListScalars, 0);
        requests_[i] = &binding;
        Guard(binding, [&, i] {
            if (i == 0) {
                binding.BindControl(0, Edit_DeviceCapabilities);
            } else {
                QComboBox* combo = i == 1 ? TrafficClassesState : GmrpStatus;
                binding.BindComboBox(0, combo);
                combo->setCurrentIndex(-1);
            }
            binding.Refresh();
        });
    }
}

void TPBridgeConfigForm::BT_SetClick()
{
    for (KvSNMPRequest2Edits* binding : requests_)
        WriteWhenIdle(*binding, [binding] {
            binding->CollectValues();
            binding->StoreAll();
        });
}

void TPBridgeConfigForm::BT_GetClick()
{
    for (KvSNMPRequest2Edits* binding : requests_)
        WhenIdle(*binding, [binding] { binding->Refresh(); });
}
