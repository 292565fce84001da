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
const KvOptionList optIfType(1, defsIfType);

static const KvOptionDef defsIfAdminStatus[] = {
    {1, nullptr, "up"},
    {2, nullptr, "down"},
    {3, nullptr, "testing"},
    {},
};
const KvOptionList optIfAdminStatus(1, defsIfAdminStatus);

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
const KvOptionList optIfOperStatus(1, defsIfOperStatus);

static const KvOptionDef defsIpForwarding[] = {
    {1, nullptr, "forwarding"},
    {2, nullptr, "notForwarding"},
    {},
};
const KvOptionList optIpForwarding(1, defsIpForwarding);

static const KvOptionDef defsIpRouteType[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "direct"},
    {4, nullptr, "indirect"},
    {},
};
const KvOptionList optIpRouteType(1, defsIpRouteType);

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
const KvOptionList optIpRouteProto(1, defsIpRouteProto);

static const KvOptionDef defsIfTestStatus[] = {
    {1, nullptr, "notInUse"},
    {2, nullptr, "inUse"},
    {},
};
const KvOptionList optIfTestStatus(1, defsIfTestStatus);

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
const KvOptionList optIfTestResult(1, defsIfTestResult);

static const KvOptionDef defsDot3DuplexStatus[] = {
    {1, nullptr, "unknown"},
    {2, nullptr, "halfDuplex"},
    {3, nullptr, "fullDuplex"},
    {},
};
const KvOptionList optDot3DuplexStatus(1, defsDot3DuplexStatus);

static const KvOptionDef defsDot3RateControl[] = {
    {1, nullptr, "rateControlOff"},
    {2, nullptr, "rateControlOn"},
    {3, nullptr, "unknown"},
    {},
};
const KvOptionList optDot3RateControl(1, defsDot3RateControl);

static const KvOptionDef defsStpProtocol[] = {
    {1, nullptr, "unknown"},
    {2, nullptr, "decLb100"},
    {3, nullptr, "ieee8021d"},
    {},
};
const KvOptionList optStpProtocol(1, defsStpProtocol);

static const KvOptionDef defsStpPortState[] = {
    {1, nullptr, "disabled"},
    {2, nullptr, "blocking"},
    {3, nullptr, "listening"},
    {4, nullptr, "learning"},
    {5, nullptr, "forwarding"},
    {6, nullptr, "broken"},
    {},
};
const KvOptionList optStpPortState(1, defsStpPortState);

static const KvOptionDef defsStaticStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "permanent"},
    {4, nullptr, "deleteOnReset"},
    {5, nullptr, "deleteOnTimeout"},
    {},
};
const KvOptionList optStaticStatus(1, defsStaticStatus);

static const KvOptionDef defsEntryStatus[] = {
    {1, nullptr, "valid"},
    {2, nullptr, "createRequest"},
    {3, nullptr, "underCreation"},
    {4, nullptr, "invalid"},
    {},
};
const KvOptionList optEntryStatus(1, defsEntryStatus);

static const KvOptionDef defsAlarmSampleType[] = {
    {1, nullptr, "absoluteValue"},
    {2, nullptr, "deltaValue"},
    {},
};
const KvOptionList optAlarmSampleType(1, defsAlarmSampleType);

static const KvOptionDef defsAlarmStartup[] = {
    {1, nullptr, "risingAlarm"},
    {2, nullptr, "fallingAlarm"},
    {3, nullptr, "risingOrFallingAlarm"},
    {},
};
const KvOptionList optAlarmStartup(1, defsAlarmStartup);

static const KvOptionDef defsEventType[] = {
    {1, nullptr, "none"},
    {2, nullptr, "log"},
    {3, nullptr, "snmptrap"},
    {4, nullptr, "logandtrap"},
    {},
};
const KvOptionList optEventType(1, defsEventType);

} // namespace kvbrowser
