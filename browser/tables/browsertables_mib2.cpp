#include "browser/tables/browseroptionlists.h"
#include "browser/tables/browsertables.h"
#include "tables/optionlists.h"

namespace kvbrowser {

using kvtables::optEnabledDisabled;

// "System Information": the system group; contact, name and location are the
// ones an operator sets.
const VarDef varsSystem[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr",    synDisplayString, accRO, nullptr},
    {"1.3.6.1.2.1.1.2", "sysObjectID", synOid,           accRO, nullptr},
    {"1.3.6.1.2.1.1.3", "sysUpTime",   synTimeTicks,     accRO, nullptr},
    {"1.3.6.1.2.1.1.4", "sysContact",  synDisplayString, accRW, nullptr},
    {"1.3.6.1.2.1.1.5", "sysName",     synDisplayString, accRW, nullptr},
    {"1.3.6.1.2.1.1.6", "sysLocation", synDisplayString, accRW, nullptr},
    {"1.3.6.1.2.1.1.7", "sysServices", synInteger,       accRO, nullptr},
    {},
};

// "IF Table": the interfaces and their state; ifAdminStatus is writable.
const VarDef varsIfTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "ifIndex",       synInteger,       accIdx, nullptr},
    {"1.3.6.1.2.1.2.2.1.2", "ifDescr",       synDisplayString, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.3", "ifType",        synInteger,       accRO,  &optIfType},
    {"1.3.6.1.2.1.2.2.1.4", "ifMtu",         synInteger,       accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.5", "ifSpeed",       synGauge32,       accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.6", "ifPhysAddress", synOctets,        accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.7", "ifAdminStatus", synInteger,       accRW,  &optIfAdminStatus},
    {"1.3.6.1.2.1.2.2.1.8", "ifOperStatus",  synInteger,       accRO,  &optIfOperStatus},
    {"1.3.6.1.2.1.2.2.1.9", "ifLastChange",  synTimeTicks,     accRO,  nullptr},
    {},
};

// "IF Counters": the traffic and error counters of the interfaces.
const VarDef varsIfCounters[] = {
    {"1.3.6.1.2.1.2.2.1.1",  "ifIndex",           synInteger,   accIdx, nullptr},
    {"1.3.6.1.2.1.2.2.1.10", "ifInOctets",        synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.11", "ifInUcastPkts",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.12", "ifInNUcastPkts",    synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.13", "ifInDiscards",      synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.14", "ifInErrors",        synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.15", "ifInUnknownProtos", synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.16", "ifOutOctets",       synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.17", "ifOutUcastPkts",    synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.18", "ifOutNUcastPkts",   synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.19", "ifOutDiscards",     synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.20", "ifOutErrors",       synCounter32, accRO,  nullptr},
    {"1.3.6.1.2.1.2.2.1.21", "ifOutQLen",         synGauge32,   accRO,  nullptr},
    {},
};

// "IP Counters": the ip group's scalars.
const VarDef varsIpCounters[] = {
    {"1.3.6.1.2.1.4.1",  "ipForwarding",      synInteger,   accRO, &optIpForwarding},
    {"1.3.6.1.2.1.4.2",  "ipDefaultTTL",      synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.4.3",  "ipInReceives",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.4",  "ipInHdrErrors",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.5",  "ipInAddrErrors",    synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.6",  "ipForwDatagrams",   synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.7",  "ipInUnknownProtos", synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.8",  "ipInDiscards",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.9",  "ipInDelivers",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.10", "ipOutRequests",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.11", "ipOutDiscards",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.12", "ipOutNoRoutes",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.13", "ipReasmTimeout",    synInteger,   accRO, nullptr},
    {"1.3.6.1.2.1.4.14", "ipReasmReqds",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.15", "ipReasmOKs",        synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.16", "ipReasmFails",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.17", "ipFragOKs",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.18", "ipFragFails",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.19", "ipFragCreates",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.4.23", "ipRoutingDiscards", synCounter32, accRO, nullptr},
    {},
};

// "IP Routing": the routing table.
const VarDef varsIpRouteTable[] = {
    {"1.3.6.1.2.1.4.21.1.1",  "ipRouteDest",    synIpAddress, accIdx, nullptr},
    {"1.3.6.1.2.1.4.21.1.2",  "ipRouteIfIndex", synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.4.21.1.3",  "ipRouteMetric1", synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.4.21.1.7",  "ipRouteNextHop", synIpAddress, accRO,  nullptr},
    {"1.3.6.1.2.1.4.21.1.8",  "ipRouteType",    synInteger,   accRO,  &optIpRouteType},
    {"1.3.6.1.2.1.4.21.1.9",  "ipRouteProto",   synInteger,   accRO,  &optIpRouteProto},
    {"1.3.6.1.2.1.4.21.1.10", "ipRouteAge",     synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.4.21.1.11", "ipRouteMask",    synIpAddress, accRO,  nullptr},
    {},
};

// "IP Address Table": the addresses of the switch.
const VarDef varsIpAddrTable[] = {
    {"1.3.6.1.2.1.4.20.1.1", "ipAdEntAddr",         synIpAddress, accIdx, nullptr},
    {"1.3.6.1.2.1.4.20.1.2", "ipAdEntIfIndex",      synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.4.20.1.3", "ipAdEntNetMask",      synIpAddress, accRO,  nullptr},
    {"1.3.6.1.2.1.4.20.1.4", "ipAdEntBcastAddr",    synInteger,   accRO,  nullptr},
    {"1.3.6.1.2.1.4.20.1.5", "ipAdEntReasmMaxSize", synInteger,   accRO,  nullptr},
    {},
};

// "ICMP Counters": the icmp group.
const VarDef varsIcmpCounters[] = {
    {"1.3.6.1.2.1.5.1",  "icmpInMsgs",           synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.2",  "icmpInErrors",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.3",  "icmpInDestUnreachs",   synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.4",  "icmpInTimeExcds",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.5",  "icmpInParmProbs",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.6",  "icmpInSrcQuenchs",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.7",  "icmpInRedirects",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.8",  "icmpInEchos",          synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.9",  "icmpInEchoReps",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.10", "icmpInTimestamps",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.11", "icmpInTimestampReps",  synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.12", "icmpInAddrMasks",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.13", "icmpInAddrMaskReps",   synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.14", "icmpOutMsgs",          synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.15", "icmpOutErrors",        synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.16", "icmpOutDestUnreachs",  synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.17", "icmpOutTimeExcds",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.18", "icmpOutParmProbs",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.19", "icmpOutSrcQuenchs",    synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.20", "icmpOutRedirects",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.21", "icmpOutEchos",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.22", "icmpOutEchoReps",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.23", "icmpOutTimestamps",    synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.24", "icmpOutTimestampReps", synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.25", "icmpOutAddrMasks",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.5.26", "icmpOutAddrMaskReps",  synCounter32, accRO, nullptr},
    {},
};

// "UDP Counters": the udp group's scalars.
const VarDef varsUdpCounters[] = {
    {"1.3.6.1.2.1.7.1", "udpInDatagrams",  synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.7.2", "udpNoPorts",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.7.3", "udpInErrors",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.7.4", "udpOutDatagrams", synCounter32, accRO, nullptr},
    {},
};

// "SNMP Counters": the snmp group (7 and 23 are not used).
const VarDef varsSnmpCounters[] = {
    {"1.3.6.1.2.1.11.1",  "snmpInPkts",              synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.2",  "snmpOutPkts",             synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.3",  "snmpInBadVersions",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.4",  "snmpInBadCommunityNames", synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.5",  "snmpInBadCommunityUses",  synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.6",  "snmpInASNParseErrs",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.8",  "snmpInTooBigs",           synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.9",  "snmpInNoSuchNames",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.10", "snmpInBadValues",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.11", "snmpInReadOnlys",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.12", "snmpInGenErrs",           synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.13", "snmpInTotalReqVars",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.14", "snmpInTotalSetVars",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.15", "snmpInGetRequests",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.16", "snmpInGetNexts",          synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.17", "snmpInSetRequests",       synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.18", "snmpInGetResponses",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.19", "snmpInTraps",             synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.20", "snmpOutTooBigs",          synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.21", "snmpOutNoSuchNames",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.22", "snmpOutBadValues",        synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.24", "snmpOutGenErrs",          synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.25", "snmpOutGetRequests",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.26", "snmpOutGetNexts",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.27", "snmpOutSetRequests",      synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.28", "snmpOutGetResponses",     synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.29", "snmpOutTraps",            synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.30", "snmpEnableAuthenTraps",   synInteger,   accRO, &optEnabledDisabled},
    {"1.3.6.1.2.1.11.31", "snmpSilentDrops",         synCounter32, accRO, nullptr},
    {"1.3.6.1.2.1.11.32", "snmpProxyDrops",          synCounter32, accRO, nullptr},
    {},
};

} // namespace kvbrowser
