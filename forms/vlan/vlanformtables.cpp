// The tables are laid out by hand, one row per line.
// clang-format off
#include "forms/vlan/vlanformtables.h"

#include "osprey_config.h"
#include "tables/optionlists.h"
#include "snmp/kvsnmpvarlist.h"

// The maker's enterprise arc; rows write ENT ".12.2.6.1.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvforms {

using kvtables::optEnabledDisabled;
using kvtables::optRowStatus;
using kvtables::optTrueFalse;

static const KvOptionDef defsRowStatusCapitalised[] = {
    {1, nullptr, "Active"},
    {2, nullptr, "NotInService"},
    {3, nullptr, "NotReady"},
    {4, nullptr, "CreateAndGo"},
    {5, nullptr, "CreateAndWait"},
    {6, nullptr, "Destroy"},
    {},
};
const KvOptionList optRowStatusCapitalised(KvOptionList::kIntegerValues, defsRowStatusCapitalised);

static const KvOptionDef defsVlanStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "permanent"},
    {3, nullptr, "dynamicGvrp"},
    {},
};
const KvOptionList optVlanStatus(KvOptionList::kIntegerValues, defsVlanStatus);

static const KvOptionDef defsFilterStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "permanent"},
    {4, nullptr, "deleteOnReset"},
    {5, nullptr, "deleteOnTimeout"},
    {},
};
const KvOptionList optFilterStatus(KvOptionList::kIntegerValues, defsFilterStatus);

// --- 802.1Q VLANs --------------------------------------------------------------

const VarDef varsVlanStatic[] = {
    {"1.3.6.1.2.1.17.7.1.4.2.1.2", "VLAN ID",                    synGauge32,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.4.3.1.1", "VLAN Name",                  synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.3.1.2", "Egress Ports",               synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.3.1.3", "Forbidden Egress Ports",     synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.3.1.4", "Untagged Ports",             synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.3.1.5", "Status",                     synInteger,       accRW,  &optRowStatusCapitalised},
    {},
};
const VarDef varsNextFreeLocalVlanIndex[] = {
    {"1.3.6.1.2.1.17.7.1.4.4",     "NextFreeLocalVLANIndex",     synInteger,       accRO,  nullptr},
    {},
};

const VarDef varsVlanNumDeletes[] = {
    {"1.3.6.1.2.1.17.7.1.4.1",     "VLANNumDeletes",             synCounter32,     accRO,  nullptr},
    {},
};
const VarDef varsVlanCurrent[] = {
    {"1.3.6.1.2.1.17.7.1.4.2.1.1", "VLANTimeMark",               synTimeTicks,     accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.4.2.1.2", "VLANIndex",                  synGauge32,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.4.2.1.3", "FdbId",                      synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.2.1.4", "CurrentEgressPorts",         synOctets,        accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.2.1.5", "CurrentUntaggedPorts",       synOctets,        accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.2.1.6", "VLANStatus",                 synInteger,       accRO,  &optVlanStatus},
    {"1.3.6.1.2.1.17.7.1.4.2.1.7", "CreationTime",               synTimeTicks,     accRO,  nullptr},
    {},
};

// The maker's port-based VLANs; the index is a key by its position (read).
const VarDef varsPortBasedVlan[] = {
    {ENT ".12.2.6.1.1.1",          "Vlan Index",                 synInteger,       accRO,  nullptr},
    {ENT ".12.2.6.1.1.2",          "Vlan Name",                  synDisplayString, accRW,  nullptr},
    {ENT ".12.2.6.1.1.3",          "Vlan Port Members",          synBits,          accRW,  nullptr},
    {ENT ".12.2.6.1.1.4",          "Status",                     synInteger,       accRW,  &optRowStatus},
    {},
};

// --- Filtering databases ---------------------------------------------------------

const VarDef varsTpGroup[] = {
    {"1.3.6.1.2.1.17.7.1.4.2.1.2", "VLAN ID",                    synGauge32,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.3.1.1", "GroupAddress",               synMacAddress,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.3.1.2", "EgressPorts",                synOctets,        accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.3.1.3", "GMRPLearntPorts",            synOctets,        accRO,  nullptr},
    {},
};
const VarDef varsForwardAll[] = {
    {"1.3.6.1.2.1.17.7.1.4.2.1.2", "VLAN ID",                    synGauge32,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.4.1.1", "AllPorts",                   synBits,          accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.4.1.2", "StaticPorts",                synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.4.1.3", "ForbiddenPorts",             synBits,          accRW,  nullptr},
    {},
};
const VarDef varsForwardUnregistered[] = {
    {"1.3.6.1.2.1.17.7.1.4.2.1.2", "VLAN ID",                    synGauge32,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.5.1.1", "UnregisteredPorts",          synOctets,        accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.5.1.2", "UnregisteredStaticPorts",    synOctets,        accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.5.1.3", "UnregisteredForbiddenPorts", synOctets,        accRW,  nullptr},
    {},
};
const VarDef varsStaticUnicast[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "Index",                      synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.1.1.1", "UnicastAddress",             synMacAddress,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.1.1.2", "ReceivePort",                synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.1.1.3", "PortsUnicastAllowedToGoTo",  synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.3.1.1.4", "Status",                     synInteger,       accRW,  &optFilterStatus},
    {},
};
const VarDef varsStaticMulticast[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "Index",                      synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.2.1.1", "MacAddress",                 synMacAddress,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.2.1.2", "ReceivePort",                synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.3.2.1.3", "EgressPorts",                synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.3.2.1.4", "ForbiddenPorts",             synBits,          accRW,  nullptr},
    {"1.3.6.1.2.1.17.7.1.3.2.1.5", "Status",                     synInteger,       accRW,  &optFilterStatus},
    {},
};

// --- 802.1p, GARP and port capabilities -----------------------------------------

const VarDef varsDeviceCapabilities[] = {
    {"1.3.6.1.2.1.17.6.1.1.1",     "DeviceCapabilities",         synBits,          accRO,  nullptr},
    {},
};
const VarDef varsTrafficClassesEnabled[] = {
    {"1.3.6.1.2.1.17.6.1.1.2",     "TrafficClassesEnabled",      synInteger,       accRW,  &optTrueFalse},
    {},
};
const VarDef varsGmrpStatus[] = {
    {"1.3.6.1.2.1.17.6.1.1.3",     "GmrpStatus",                 synInteger,       accRW,  &optEnabledDisabled},
    {},
};
// The port number is a key by its position (read).
const VarDef varsGarp[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",                 synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.6.1.3.1.1.1", "GARPJoinTime",               synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.17.6.1.3.1.1.2", "GARPLeaveTime",              synInteger,       accRW,  nullptr},
    {"1.3.6.1.2.1.17.6.1.3.1.1.3", "GARPLeaveAllTime",           synInteger,       accRW,  nullptr},
    {},
};
const VarDef varsPortCapabilities[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",                 synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.1.4.1.1", "dot1dPortCapabilities",      synBits,          accRO,  nullptr},
    {},
};

// --- 802.1Q bridge ---------------------------------------------------------------

const VarDef varsVlanGeneral[] = {
    {"1.3.6.1.2.1.17.7.1.1.1",     "VLANVersionNumber",          synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.1.2",     "MaxVLANId",                  synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.1.3",     "MaxSupportedVLANs",          synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.1.4",     "CurrentNumOfVLANs",          synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.1.5",     "GVRPStatus",                 synInteger,       accRW,  &optEnabledDisabled},
    {},
};
// The port number is a key by its position (read); the PVID is shown only.
const VarDef varsPortVlan[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",                 synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.5.1.1", "PortVLANID",                 synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.4.5.1.3", "IngressFiltering",           synInteger,       accRW,  &optTrueFalse},
    {"1.3.6.1.2.1.17.7.1.4.5.1.4", "GVRPStatus",                 synInteger,       accRW,  &optEnabledDisabled},
    {},
};

// --- the forms' requests ------------------------------------------------------------

namespace {

const FormTableDef kVlanFormTables[] = {
    {"TPBridgeConfigForm",                  "Device Capabilities",                kvListScalars,   0, varsDeviceCapabilities},
    {"TPBridgeConfigForm",                  "Traffic Classes State",              kvListScalars,   0, varsTrafficClassesEnabled},
    {"TPBridgeConfigForm",                  "GMRP Status",                        kvListScalars,   0, varsGmrpStatus},
    {"TGARPForm",                           "GARP Form",                          kvListTable,     1, varsGarp},
    {"TPortCapabilities8021dForm",          "Port Capability Form",               kvListTable,     1, varsPortCapabilities},
    {"TVLanGeneralInfoForm",                "802.1Q Basic Configure",             kvListScalars,   0, varsVlanGeneral},
    {"TVLanPortInfomationForm",             "VLAN Port Information Form",         kvListTable,     1, varsPortVlan},
    {"TTpGroupDestinationForwardedForm",    "Tp Group Destination Forwarded",     kvListTableRows, 2, varsTpGroup},
    {"TMulticastForwardingInformationForm", "MulticastForwardingInformationForm", kvListTable,     1, varsForwardAll},
    {"TForwardUnregisteredInformationForm", "Forward Unregistered Information",   kvListTable,     1, varsForwardUnregistered},
    {"TVlanStaticForm",                     "VLAN Static Form",                   kvListTableRows, 1, varsVlanStatic},
    {"TVlanStaticForm",                     "Next Free Local VLAN Index",         kvListScalars,   0, varsNextFreeLocalVlanIndex},
    {"TVLanCurrentTableForm",               "VLAN Current Table",                 kvListTableRows, 2, varsVlanCurrent},
    {"TVLanCurrentTableForm",               "VLAN Delete Numbers",                kvListScalars,   0, varsVlanNumDeletes},
    {"TUnicastFilterInformationForm",       "UnicastFilterInformationForm",       kvListTableRows, 3, varsStaticUnicast},
    {"TMulticastFilterInformationForm",     "MulticastFilterInformationForm",     kvListTableRows, 3, varsStaticMulticast},
    {"TPortBasedVLanForm",                  "Port Based VLAN Table",              kvListTableRows, 1, varsPortBasedVlan},
};

const FormWindowDef kVlanFormWindows[] = {
    {"TPBridgeConfigForm",    "802.1P Basic Configure"},
    {"TVlanStaticForm",       "VLAN Static Form"},
    {"TVLanCurrentTableForm", "VLAN Current Table"},
};

} // namespace

std::span<const FormTableDef> VlanFormTables()
{
    return kVlanFormTables;
}

std::span<const FormWindowDef> VlanFormWindows()
{
    return kVlanFormWindows;
}

} // namespace kvforms
