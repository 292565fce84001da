#include "browser/tables/browseroptionlists.h"

namespace kvbrowser {

// The interface types a switch and a host show; others stay numbers.
static const KvOptionDef defsIfType[] = {
    {1,   nullptr, "other"},
    {6,   nullptr, "ethernetCsmacd"},
    {23,  nullptr, "ppp"},
    {24,  nullptr, "softwareLoopback"},
    {53,  nullptr, "propVirtual"},
    {62,  nullptr, "fastEther"},
    {69,  nullptr, "fastEtherFX"},
    {71,  nullptr, "ieee80211"},
    {117, nullptr, "gigabitEthernet"},
    {131, nullptr, "tunnel"},
    {135, nullptr, "l2vlan"},
    {136, nullptr, "l3ipvlan"},
    {161, nullptr, "ieee8023adLag"},
    {209, nullptr, "bridge"},
    {},
};
const KvOptionList optIfType(KvOptionList::kIntegerValues, defsIfType);

static const KvOptionDef defsIfAdminStatus[] = {
    {1, nullptr, "up"},
    {2, nullptr, "down"},
    {3, nullptr, "testing"},
    {},
};
const KvOptionList optIfAdminStatus(KvOptionList::kIntegerValues, defsIfAdminStatus);

static const KvOptionDef defsIfOperStatus[] = {
    {1, nullptr, "up"},
    {2, nullptr, "down"},
    {3, nullptr, "testing"},
    {4, nullptr, "unknown"},
    {5, nullptr, "dormant"},
    {6, nullptr, "notPresent"},
    {7, nullptr, "lowerLayerDown"},
    {},
};
const KvOptionList optIfOperStatus(KvOptionList::kIntegerValues, defsIfOperStatus);

static const KvOptionDef defsIpForwarding[] = {
    {1, nullptr, "forwarding"},
    {2, nullptr, "notForwarding"},
    {},
};
const KvOptionList optIpForwarding(KvOptionList::kIntegerValues, defsIpForwarding);

static const KvOptionDef defsIpRouteType[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "direct"},
    {4, nullptr, "indirect"},
    {},
};
const KvOptionList optIpRouteType(KvOptionList::kIntegerValues, defsIpRouteType);

static const KvOptionDef defsIpRouteProto[] = {
    {1,  nullptr, "other"},
    {2,  nullptr, "local"},
    {3,  nullptr, "netmgmt"},
    {4,  nullptr, "icmp"},
    {5,  nullptr, "egp"},
    {6,  nullptr, "ggp"},
    {7,  nullptr, "hello"},
    {8,  nullptr, "rip"},
    {9,  nullptr, "is-is"},
    {10, nullptr, "es-is"},
    {11, nullptr, "ciscoIgrp"},
    {12, nullptr, "bbnSpfIgp"},
    {13, nullptr, "ospf"},
    {14, nullptr, "bgp"},
    {},
};
const KvOptionList optIpRouteProto(KvOptionList::kIntegerValues, defsIpRouteProto);

static const KvOptionDef defsIfTestStatus[] = {
    {1, nullptr, "notInUse"},
    {2, nullptr, "inUse"},
    {},
};
const KvOptionList optIfTestStatus(KvOptionList::kIntegerValues, defsIfTestStatus);

static const KvOptionDef defsIfTestResult[] = {
    {1, nullptr, "none"},
    {2, nullptr, "success"},
    {3, nullptr, "inProgress"},
    {4, nullptr, "notSupported"},
    {5, nullptr, "unAbleToRun"},
    {6, nullptr, "aborted"},
    {7, nullptr, "failed"},
    {},
};
const KvOptionList optIfTestResult(KvOptionList::kIntegerValues, defsIfTestResult);

static const KvOptionDef defsDot3DuplexStatus[] = {
    {1, nullptr, "unknown"},
    {2, nullptr, "halfDuplex"},
    {3, nullptr, "fullDuplex"},
    {},
};
const KvOptionList optDot3DuplexStatus(KvOptionList::kIntegerValues, defsDot3DuplexStatus);

static const KvOptionDef defsDot3RateControl[] = {
    {1, nullptr, "rateControlOff"},
    {2, nullptr, "rateControlOn"},
    {3, nullptr, "unknown"},
    {},
};
const KvOptionList optDot3RateControl(KvOptionList::kIntegerValues, defsDot3RateControl);

static const KvOptionDef defsStpProtocol[] = {
    {1, nullptr, "unknown"},
    {2, nullptr, "decLb100"},
    {3, nullptr, "ieee8021d"},
    {},
};
const KvOptionList optStpProtocol(KvOptionList::kIntegerValues, defsStpProtocol);

static const KvOptionDef defsStpPortState[] = {
    {1, nullptr, "disabled"},
    {2, nullptr, "blocking"},
    {3, nullptr, "listening"},
    {4, nullptr, "learning"},
    {5, nullptr, "forwarding"},
    {6, nullptr, "broken"},
    {},
};
const KvOptionList optStpPortState(KvOptionList::kIntegerValues, defsStpPortState);

static const KvOptionDef defsStaticStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "permanent"},
    {4, nullptr, "deleteOnReset"},
    {5, nullptr, "deleteOnTimeout"},
    {},
};
const KvOptionList optStaticStatus(KvOptionList::kIntegerValues, defsStaticStatus);

static const KvOptionDef defsEntryStatus[] = {
    {1, nullptr, "valid"},
    {2, nullptr, "createRequest"},
    {3, nullptr, "underCreation"},
    {4, nullptr, "invalid"},
    {},
};
const KvOptionList optEntryStatus(KvOptionList::kIntegerValues, defsEntryStatus);

static const KvOptionDef defsAlarmSampleType[] = {
    {1, nullptr, "absoluteValue"},
    {2, nullptr, "deltaValue"},
    {},
};
const KvOptionList optAlarmSampleType(KvOptionList::kIntegerValues, defsAlarmSampleType);

static const KvOptionDef defsAlarmStartup[] = {
    {1, nullptr, "risingAlarm"},
    {2, nullptr, "fallingAlarm"},
    {3, nullptr, "risingOrFallingAlarm"},
    {},
};
const KvOptionList optAlarmStartup(KvOptionList::kIntegerValues, defsAlarmStartup);

static const KvOptionDef defsEventType[] = {
    {1, nullptr, "none"},
    {2, nullptr, "log"},
    {3, nullptr, "snmptrap"},
    {4, nullptr, "logandtrap"},
    {},
};
const KvOptionList optEventType(KvOptionList::kIntegerValues, defsEventType);

} // namespace kvbrowser
