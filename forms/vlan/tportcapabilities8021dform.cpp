#include "forms/vlan/tportcapabilities8021dform.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/vlan/vlanformtables.h"

TPortCapabilities8021dForm::TPortCapabilities8021dForm(QWidget* owner, const KvFormHost& host)
    : TBridgeForm(owner, host, "PortCapabilities8021dForm", "Port Capability Form")
{
    BuildWindow();
    FormCreate();
}

void TPortCapabilities8021dForm::BuildWindow()
{
    ST_Count = NewCounter("ST_Count");
    RefreshBtn = NewButton("RefreshBtn", "Refresh");
    FinishButtons();
    LV_dot1dPortCapabilitiesEntry = NewListView(this, "LV_dot1dPortCapabilitiesEntry");
    ClientLayout()->addWidget(LV_dot1dPortCapabilitiesEntry);

    connect(RefreshBtn, &QPushButton::clicked, this, &TPortCapabilities8021dForm::RefreshBtnClick);
    formwidgets::ConnectRowChanges(LV_dot1dPortCapabilitiesEntry, this,
                                   &TPortCapabilities8021dForm::LV_dot1dPortCapabilitiesEntryChanging);
    resize(420, 440);
}

void TPortCapabilities8021dForm::FormCreate()
{
    binding_ = &NewBinding(kvforms::varsPortCapabilities, kvListTable, 1);
    GuardGet(*binding_, [this] {
        binding_->AttachListView(LV_dot1dPortCapabilitiesEntry, true);
        binding_->OnGetComplete = [this](KvSNMPRequest2Controls&, const KvSNMPError&) { RequestComplete(); };
        binding_->Refresh();
        LV_dot1dPortCapabilitiesEntryChanging();
    });
}

void TPortCapabilities8021dForm::RefreshBtnClick()
{
    if (!GetReady()) {
        ReportNotComplete(*binding_, KvSNMPRequest2Controls::kLastGet);
        return;
    }
    GuardGet(*binding_, [this] {
        binding_->Refresh();
        LV_dot1dPortCapabilitiesEntryChanging();
    });
}

void TPortCapabilities8021dForm::LV_dot1dPortCapabilitiesEntryChanging()
{
    formwidgets::ShowCount(ST_Count, LV_dot1dPortCapabilitiesEntry);
}
