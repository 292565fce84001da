#include "forms/vlan/tforwardunregisteredinformationform.h"

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "forms/vlan/vlanformtables.h"

namespace {

const TPortSetsForm::Shape kShape = {
    "ForwardUnregisteredInformationForm",
    "Forward Unregistered Information",
    kvforms::varsForwardUnregistered,
    {"Unregistered Ports", "Unregisteried Static Ports", "Unregistered Forbidden Ports"},
    TForwardUnregisteredInformationForm::kBlocks* TForwardUnregisteredInformationForm::kBlockBoxes,
    12,
    TStackingPortUitForm::kVisiblePorts,
};

} // namespace

TForwardUnregisteredInformationForm::TForwardUnregisteredInformationForm(QWidget* owner, const KvFormHost& host)
    : TPortSetsForm(owner, host, kShape)
{
}

void TForwardUnregisteredInformationForm::RefreshBtnClick()
{
    WhenIdle(*binding_, [this] {
        binding_->Refresh();
        ShowRowCount();
        for (TStackingPortUitForm* grid : Grids)
            if (grid)
                grid->Clear();
    });
}
