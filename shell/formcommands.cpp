#include "shell/formcommands.h"

#include "forms/kvformhost.h"
#include "forms/port/taggregatorporttableform.h"
#include "forms/port/tdiagnosticsinformationform.h"
#include "forms/port/tequipmentbasicinfoform.h"
#include "forms/port/tmacstatistictableform.h"
#include "forms/port/tmodulebasicconfigurationform.h"
#include "forms/port/tportmirrorform.h"
#include "forms/port/tporttrunkform.h"
#include "forms/port/ttrafficsegmentationform.h"
#include "forms/vlan/tforwardunregisteredinformationform.h"
#include "forms/vlan/tgarpform.h"
#include "forms/vlan/tmulticastfilterinformationform.h"
#include "forms/vlan/tmulticastforwardinginformationform.h"
#include "forms/vlan/tpbridgeconfigform.h"
#include "forms/vlan/tportbasedvlanform.h"
#include "forms/vlan/tportcapabilities8021dform.h"
#include "forms/vlan/ttpgroupdestinationforwardedform.h"
#include "forms/vlan/tunicastfilterinformationform.h"
#include "forms/vlan/tvlancurrenttableform.h"
#include "forms/vlan/tvlangeneralinfoform.h"
#include "forms/vlan/tvlanportinfomationform.h"
#include "forms/vlan/tvlanstaticform.h"
#include "pages/kvcentredmodal.h"
#include "shell/mainmenu.h"
#include "shell/panel/tfrontpanel.h"
#include "shell/tform1.h"
#include "shell/tmainform.h"

#include <QPointer>

#include <memory>

namespace formcommands {

namespace {

// The command of form class `Form`, constructed as Form(owner, host).
template <class Form>
MainMenu::FormCommand CommandOf(TMainForm& mainForm)
{
    QPointer<TMainForm> main(&mainForm);
    return [main](QWidget* owner) {
        if (!main)
            return;
        auto form = std::make_unique<Form>(owner, HostOf(*main));
        ShowCentredModal(*form, main);
    };
}

} // namespace

KvFormHost HostOf(TMainForm& mainForm)
{
    KvFormHost host;
    host.agentAddress = mainForm.AgentAddress;
    host.mainWindow = &mainForm;
    QPointer<TFrontPanel> panel(mainForm.FrontPanel);
    host.resetUnitWindows = [panel] {
        if (panel)
            panel->ResetUnitWindows();
    };
    if (TForm1* aux = TForm1::Instance()) {
        host.getReady = &aux->GetReady;
        host.setReady = &aux->SetReady;
        QPointer<TForm1> guard(aux);
        host.requestComplete = [guard] {
            if (guard)
                guard->RequestComplete();
        };
    }
    return host;
}

void Install(MainMenu& menu, TMainForm& mainForm)
{
    // One line per hand-made form: menu.SetFormCommand("TXxxForm", CommandOf<TXxxForm>(mainForm));
    menu.SetFormCommand("TEquipmentBasicInfoForm", CommandOf<TEquipmentBasicInfoForm>(mainForm));
    menu.SetFormCommand("TModuleBasicConfigurationForm", CommandOf<TModuleBasicConfigurationForm>(mainForm));
    menu.SetFormCommand("TDiagnosticsInformationForm", CommandOf<TDiagnosticsInformationForm>(mainForm));
    menu.SetFormCommand("TMacStatisticTableForm", CommandOf<TMacStatisticTableForm>(mainForm));
    menu.SetFormCommand("TPortTrunkForm", CommandOf<TPortTrunkForm>(mainForm));
    menu.SetFormCommand("TPortMirrorForm", CommandOf<TPortMirrorForm>(mainForm));
    menu.SetFormCommand("TTrafficSegmentationForm", CommandOf<TTrafficSegmentationForm>(mainForm));
    menu.SetFormCommand("TAggregatorPortTableForm", CommandOf<TAggregatorPortTableForm>(mainForm));
    menu.SetFormCommand("TVlanStaticForm", CommandOf<TVlanStaticForm>(mainForm));
    menu.SetFormCommand("TVLanCurrentTableForm", CommandOf<TVLanCurrentTableForm>(mainForm));
    menu.SetFormCommand("TPortBasedVLanForm", CommandOf<TPortBasedVLanForm>(mainForm));
    menu.SetFormCommand("TTpGroupDestinationForwardedForm", CommandOf<TTpGroupDestinationForwardedForm>(mainForm));
    menu.SetFormCommand("TMulticastForwardingInformationForm",
                        CommandOf<TMulticastForwardingInformationForm>(mainForm));
    menu.SetFormCommand("TForwardUnregisteredInformationForm",
                        CommandOf<TForwardUnregisteredInformationForm>(mainForm));
    menu.SetFormCommand("TUnicastFilterInformationForm", CommandOf<TUnicastFilterInformationForm>(mainForm));
    menu.SetFormCommand("TMulticastFilterInformationForm", CommandOf<TMulticastFilterInformationForm>(mainForm));
    menu.SetFormCommand("TPBridgeConfigForm", CommandOf<TPBridgeConfigForm>(mainForm));
    menu.SetFormCommand("TGARPForm", CommandOf<TGARPForm>(mainForm));
    menu.SetFormCommand("TPortCapabilities8021dForm", CommandOf<TPortCapabilities8021dForm>(mainForm));
    menu.SetFormCommand("TVLanGeneralInfoForm", CommandOf<TVLanGeneralInfoForm>(mainForm));
    menu.SetFormCommand("TVLanPortInfomationForm", CommandOf<TVLanPortInfomationForm>(mainForm));
}

} // namespace formcommands
