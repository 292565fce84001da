#pragma once
#include "common/kvoptionlist.h"

// The value names of the standard MIB enumerations the browser pages show,
// named as the MIBs name them. Lists the main program already has (enabled /
// disabled, true / false, the forwarding-database status, RowStatus) are
// shared from its tables (tables/optionlists.h).
namespace kvbrowser {

extern const KvOptionList optIfType;              // IANAifType: 1 "other", 6 "ethernetCsmacd" ... 161 "ieee8023adLag"
extern const KvOptionList optIfAdminStatus;       // 1 "up", 2 "down", 3 "testing"
extern const KvOptionList optIfOperStatus;        // 1 "up", 2 "down" ... 7 "lowerLayerDown"
extern const KvOptionList optIpForwarding;        // 1 "forwarding", 2 "notForwarding"
extern const KvOptionList optIpRouteType;         // 1 "other", 2 "invalid", 3 "direct", 4 "indirect"
extern const KvOptionList optIpRouteProto;        // 1 "other", 2 "local" ... 14 "bgp"
extern const KvOptionList optIfTestStatus;        // 1 "notInUse", 2 "inUse"
extern const KvOptionList optIfTestResult;        // 1 "none", 2 "success" ... 7 "failed"
extern const KvOptionList optDot3DuplexStatus;    // 1 "unknown", 2 "halfDuplex", 3 "fullDuplex"
extern const KvOptionList optDot3RateControl;     // 1 "rateControlOff", 2 "rateControlOn", 3 "unknown"
extern const KvOptionList optStpProtocol;         // 1 "unknown", 2 "decLb100", 3 "ieee8021d"
extern const KvOptionList optStpPortState;        // 1 "disabled", 2 "blocking" ... 6 "broken"
extern const KvOptionList optStaticStatus;        // 1 "other", 2 "invalid", 3 "permanent", 4 "deleteOnReset", 5 "deleteOnTimeout"
extern const KvOptionList optEntryStatus;         // 1 "valid", 2 "createRequest", 3 "underCreation", 4 "invalid"
extern const KvOptionList optAlarmSampleType;     // 1 "absoluteValue", 2 "deltaValue"
extern const KvOptionList optAlarmStartup;        // 1 "risingAlarm", 2 "fallingAlarm", 3 "risingOrFallingAlarm"
extern const KvOptionList optEventType;           // 1 "none", 2 "log", 3 "snmptrap", 4 "logandtrap"

} // namespace kvbrowser
