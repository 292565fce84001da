#include "browser/tables/browseroptionlists.h"
#include "browser/tables/browsertables.h"
#include "tables/optionlists.h"

namespace kvbrowser {

using kvtables::optEnabledDisabled;
using kvtables::optFdbStatus;
using kvtables::optTrueFalse;

// 802.1d "Port Table": the bridge ports and their interfaces.
const VarDef varsBasePortTable[] = {
    {"1.3.6.1.2.1.17.1.4.1.1", "dot1dBasePort",                      synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.17.1.4.1.2", "dot1dBasePortIfIndex",               synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.17.1.4.1.3", "dot1dBasePortCircuit",               synOid,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.1.4.1.4", "dot1dBasePortDelayExceededDiscards", synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.17.1.4.1.5", "dot1dBasePortMtuExceededDiscards",   synCounter32, accRO,  nullptr},
    {},
};

// Spanning tree "Port Table": the state of every port in the tree.
const VarDef varsStpPortTable[] = {
    {"1.3.6.1.2.1.17.2.15.1.1",  "dot1dStpPort",                   synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.17.2.15.1.2",  "dot1dStpPortPriority",           synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.3",  "dot1dStpPortState",              synInteger,   accRO,  &optStpPortState},
    {"1.3.6.1.2.1.17.2.15.1.4",  "dot1dStpPortEnable",             synInteger,   accRO,  &optEnabledDisabled},
    {"1.3.6.1.2.1.17.2.15.1.5",  "dot1dStpPortPathCost",           synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.6",  "dot1dStpPortDesignatedRoot",     synOctets,    accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.7",  "dot1dStpPortDesignatedCost",     synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.8",  "dot1dStpPortDesignatedBridge",   synOctets,    accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.9",  "dot1dStpPortDesignatedPort",     synOctets,    accRO,  nullptr},
    {"1.3.6.1.2.1.17.2.15.1.10", "dot1dStpPortForwardTransitions", synCounter32, accRO,  nullptr},
    {},
};

// Spanning tree "Information": the bridge's view of the tree.
const VarDef varsStpInformation[] = {
    {"1.3.6.1.2.1.17.2.1",  "dot1dStpProtocolSpecification",   synInteger,   accRO, &optStpProtocol},
    {"1.3.6.1.2.1.17.2.2",  "dot1dStpPriority",                synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.3",  "dot1dStpTimeSinceTopologyChange", synTimeTicks, accRO, nullptr},
    {"1.3.6.1.2.1.17.2.4",  "dot1dStpTopChanges",              synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.17.2.5",  "dot1dStpDesignatedRoot",          synOctets,    accRO, nullptr},
    {"1.3.6.1.2.1.17.2.6",  "dot1dStpRootCost",                synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.7",  "dot1dStpRootPort",                synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.8",  "dot1dStpMaxAge",                  synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.9",  "dot1dStpHelloTime",               synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.10", "dot1dStpHoldTime",                synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.11", "dot1dStpForwardDelay",            synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.12", "dot1dStpBridgeMaxAge",            synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.13", "dot1dStpBridgeHelloTime",         synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.17.2.14", "dot1dStpBridgeForwardDelay",      synInteger,   accRO, nullptr},
    {},
};

// "Forwarding Table": the addresses the bridge has learnt, by address.
const VarDef varsTpFdbTable[] = {
    {"1.3.6.1.2.1.17.4.3.1.1", "dot1dTpFdbAddress", synMacAddress, accIdx, nullptr},
    {"1.3.6.1.2.1.17.4.3.1.2", "dot1dTpFdbPort",    synInteger,    accRO,  nullptr},
    {"1.3.6.1.2.1.17.4.3.1.3", "dot1dTpFdbStatus",  synInteger,    accRO,  &optFdbStatus},
    {},
};

// "Static Table": static filtering, by address and receive port.
const VarDef varsStaticTable[] = {
    {"1.3.6.1.2.1.17.5.1.1.1", "dot1dStaticAddress",       synMacAddress, accIdx, nullptr},
    {"1.3.6.1.2.1.17.5.1.1.2", "dot1dStaticReceivePort",   synInteger,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.5.1.1.3", "dot1dStaticAllowedToGoTo", synBits,       accRO,  nullptr},
    {"1.3.6.1.2.1.17.5.1.1.4", "dot1dStaticStatus",        synInteger,    accRO,  &optStaticStatus},
    {},
};

// Transparent bridge "Port Counters": frames in and out per port.
const VarDef varsTpPortTable[] = {
    {"1.3.6.1.2.1.17.4.4.1.1", "dot1dTpPort",           synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.17.4.4.1.2", "dot1dTpPortMaxInfo",    synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.17.4.4.1.3", "dot1dTpPortInFrames",   synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.17.4.4.1.4", "dot1dTpPortOutFrames",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.17.4.4.1.5", "dot1dTpPortInDiscards", synCounter32, accRO,  nullptr},
    {},
};

// "GMRP": the GMRP state of every port. Indexed by dot1dBasePort.
const VarDef varsPortGmrpTable[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "dot1dBasePort",                        synInteger,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.4.1.1.1", "dot1dPortGmrpStatus",                  synInteger,    accRO,  &optEnabledDisabled},
    {"1.3.6.1.2.1.17.6.1.4.1.1.2", "dot1dPortGmrpFailedRegistrations",     synCounter32,  accRO,  nullptr},
    {"1.3.6.1.2.1.17.6.1.4.1.1.3", "dot1dPortGmrpLastPduOrigin",           synMacAddress, accRO,  nullptr},
    {"1.3.6.1.2.1.17.6.1.4.1.1.4", "dot1dPortRestrictedGroupRegistration", synInteger,    accRO,  &optTrueFalse},
    {},
};

} // namespace kvbrowser
