#include "browser/tables/browseroptionlists.h"
#include "browser/tables/browsertables.h"
#include "tables/optionlists.h"

namespace kvbrowser {

using kvtables::optEnabledDisabled;
using kvtables::optRowStatus;
using kvtables::optTrueFalse;

// "General Table" of the IF-MIB: the interface count and the last changes.
const VarDef varsIfMibGeneral[] = {
    {"1.3.6.1.2.1.2.1",    "ifNumber",          synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.31.1.5", "ifTableLastChange", synTimeTicks, accRO, nullptr},
    {"1.3.6.1.2.1.31.1.6", "ifStackLastChange", synTimeTicks, accRO, nullptr},
    {},
};

// "IfX Table": names, multicast and broadcast counters and the 64-bit
// counters; the alias and the link trap switch are writable. Indexed by
// ifIndex.
const VarDef varsIfXTable[] = {
    {"1.3.6.1.2.1.2.2.1.1",     "ifIndex",                    synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.31.1.1.1.1",  "ifName",                     synDisplayString, accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.2",  "ifInMulticastPkts",          synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.3",  "ifInBroadcastPkts",          synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.4",  "ifOutMulticastPkts",         synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.5",  "ifOutBroadcastPkts",         synCounter32,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.6",  "ifHCInOctets",               synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.7",  "ifHCInUcastPkts",            synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.8",  "ifHCInMulticastPkts",        synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.9",  "ifHCInBroadcastPkts",        synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.10", "ifHCOutOctets",              synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.11", "ifHCOutUcastPkts",           synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.12", "ifHCOutMulticastPkts",       synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.13", "ifHCOutBroadcastPkts",       synCounter64,     accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.14", "ifLinkUpDownTrapEnable",     synInteger,       accRW,  &optEnabledDisabled},
    {"1.3.6.1.2.1.31.1.1.1.15", "ifHighSpeed",                synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.16", "ifPromiscuousMode",          synInteger,       accRO,  &optTrueFalse},
    {"1.3.6.1.2.1.31.1.1.1.17", "ifConnectorPresent",         synInteger,       accRO,  &optTrueFalse},
    {"1.3.6.1.2.1.31.1.1.1.18", "ifAlias",                    synDisplayString, accRW,  nullptr},
    {"1.3.6.1.2.1.31.1.1.1.19", "ifCounterDiscontinuityTime", synTimeTicks,     accRO,  nullptr},
    {},
};

// "IfStack Table": which interface runs over which (0: none).
const VarDef varsIfStackTable[] = {
    {"1.3.6.1.2.1.31.1.2.1.1", "ifStackHigherLayer", synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.31.1.2.1.2", "ifStackLowerLayer",  synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.31.1.2.1.3", "ifStackStatus",      synInteger, accRO,  &optRowStatus},
    {},
};

// "Test Table": the interface tests and their results. Indexed by ifIndex.
const VarDef varsIfTestTable[] = {
    {"1.3.6.1.2.1.2.2.1.1",    "ifIndex",      synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.31.1.3.1.1", "ifTestId",     synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.3.1.2", "ifTestStatus", synInteger,       accRO,  &optIfTestStatus},
    {"1.3.6.1.2.1.31.1.3.1.3", "ifTestType",   synOid,           accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.3.1.4", "ifTestResult", synInteger,       accRO,  &optIfTestResult},
    {"1.3.6.1.2.1.31.1.3.1.5", "ifTestCode",   synOid,           accRO,  nullptr},
    {"1.3.6.1.2.1.31.1.3.1.6", "ifTestOwner",  synDisplayString, accRO,  nullptr},
    {},
};

// "dot3 Statistics": the Ethernet error and collision counters per port.
const VarDef varsDot3StatsTable[] = {
    {"1.3.6.1.2.1.10.7.2.1.1",  "dot3StatsIndex",                     synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.10.7.2.1.2",  "dot3StatsAlignmentErrors",           synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.3",  "dot3StatsFCSErrors",                 synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.4",  "dot3StatsSingleCollisionFrames",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.5",  "dot3StatsMultipleCollisionFrames",   synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.6",  "dot3StatsSQETestErrors",             synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.7",  "dot3StatsDeferredTransmissions",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.8",  "dot3StatsLateCollisions",            synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.9",  "dot3StatsExcessiveCollisions",       synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.10", "dot3StatsInternalMacTransmitErrors", synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.11", "dot3StatsCarrierSenseErrors",        synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.13", "dot3StatsFrameTooLongs",             synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.16", "dot3StatsInternalMacReceiveErrors",  synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.18", "dot3StatsSymbolErrors",              synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.10.7.2.1.19", "dot3StatsDuplexStatus",              synInteger,   accRO,  &optDot3DuplexStatus},
    {"1.3.6.1.2.1.10.7.2.1.20", "dot3StatsRateControlAbility",        synInteger,   accRO,  &optTrueFalse},
    {"1.3.6.1.2.1.10.7.2.1.21", "dot3StatsRateControlStatus",         synInteger,   accRO,  &optDot3RateControl},
    {},
};

} // namespace kvbrowser
