#pragma once
#include <cstdint>
#include <span>

#include "common/kvoptionlist.h"

// The value-name lists of the page tables. Each list is defined once and shared
// by every variable row that shows the same enumeration; rows refer to the list
// by address. All lists hold integer values (kind 1) except the two USM protocol
// lists, whose values are object identifier texts (kind 2). None is
// case-sensitive.
namespace kvtables {

extern const KvOptionList optDisabledEnabled;         // 2 "disabled", 3 "enabled"
extern const KvOptionList optUnitMgmtMode;            // 2 "auto", 3 "stand-alone", 4 "master", 5 "slave"
extern const KvOptionList optPowerStatus;             // 0 "other", 1 "lowVoltage" ... 6 "disconnect"
extern const KvOptionList optTrapSeverity;            // 0 "critical", 1 "major", 2 "minor", 3 "warning"
extern const KvOptionList optProtocolCapability;      // 1 "other", 2 "snmp-ip", 3 "snmp-ipx", 4 "snmp-ip-ipx"
extern const KvOptionList optConsoleStatus;           // 1 "other", 2 "in-use", 3 "not-in-use"
extern const KvOptionList optDeviceConfigStatus;      // 1 "other", 2 "proceeding", 3 "completed", 4 "failed"
extern const KvOptionList optFirmwareDownloadStatus;  // 1 "other", 2 "in-process" ... 8 "time-out"
extern const KvOptionList optMibCapabilityType;       // 1 "other", 2 "standard", 3 "proprietary", 4 "experiment"
extern const KvOptionList optSystemResetState;        // 2 "cold-start", 4 "no-reset"
extern const KvOptionList optRs232PortConfig;         // 2 "console", 3 "out-of-band", 4 "notAvail"
extern const KvOptionList optSaveConfig;              // 2 "idle", 3 "set"
extern const KvOptionList optConsoleBaudRate;         // 2 "baudRate-9600", 3 "baudRate-19200" ... 5 "baudRate-115200"
extern const KvOptionList optGetIpFrom;               // 2 "disabled", 3 "bootp", 4 "dhcp"
extern const KvOptionList optTransferType;            // 2 "network-load", 3 "out-of-band-load"
extern const KvOptionList optLoadType;                // 2 "upload", 3 "download"
extern const KvOptionList optUpdateFileStatus;        // 2 "inactive", 3 "start"
extern const KvOptionList optTrueFalse;               // 1 "true", 2 "false"
extern const KvOptionList optTimeSource;              // 0 "system", 1 "server1", 2 "server2"
extern const KvOptionList optBridgeType;              // 1 "unknown", 2 "transparent-only", 3 "sourceroute-only", 4 "srt"
extern const KvOptionList optStpVersion;              // 0 "STP Compatibility", 2 "RSTP"
extern const KvOptionList optVlanMode;                // 1 "qvlan", 2 "portvlan"
extern const KvOptionList optFdbStatus;               // 1 "other", 2 "invalid", 3 "learned", 4 "self", 5 "mgmt"
extern const KvOptionList optStorageType;             // 1 "other", 2 "volatile", 3 "nonVolatile", 4 "permanent", 5 "readOnly"
extern const KvOptionList optRowStatus;               // 1 "active", 2 "notInService" ... 6 "destroy"
extern const KvOptionList optSecurityLevel;           // 1 "noAuthNoPriv", 2 "authNoPriv", 3 "authPriv"
extern const KvOptionList optUsmAuthProtocol;         // 1.3.6.1.6.3.10.1.1.1 "None", 1.3.6.1.6.3.10.1.1.2 "MD5" ... 1.3.6.1.6.3.10.1.1.7 "SHA-512"
extern const KvOptionList optUsmPrivProtocol;         // 1.3.6.1.6.3.10.1.2.1 "None", 1.3.6.1.6.3.10.1.2.2 "DES", 1.3.6.1.6.3.10.1.2.4 "AES" ... 1.3.6.1.4.1.14832.1.4 "AES-256"
extern const KvOptionList optContextMatch;            // 1 "exact", 2 "prefix"
extern const KvOptionList optIncludedExcluded;        // 1 "included", 2 "excluded"
extern const KvOptionList optNotifyType;              // 1 "trap", 2 "inform"
extern const KvOptionList optAuthProtocol;            // 1 "authProtocolNone", 2 "authProtocolLocal" ... 6 "authProtocolTacacs"
extern const KvOptionList optRadiusServerIndex;       // 1 "swRadiusServerIndex-first", 2 "swRadiusServerIndex-second" ... 3 "swRadiusServerIndex-third"
extern const KvOptionList optAcctServiceIndex;        // 1 "acctServiceIndex-network", 2 "acctServiceIndex-exec" ... 3 "acctServiceIndex-system"
extern const KvOptionList optAcctServiceMethod;       // 1 "RadiusAcctServiceMethodNone", 2 "RadiusAcctServiceMethodRadius"
extern const KvOptionList optAcctServiceMode;         // 1 "radiusAcctServiceModeNone", 2 "radiusAcctServiceModeStartStop" ... 3 "radiusAcctServiceModeStopOnly"
extern const KvOptionList optEnabledDisabled;         // 1 "enabled", 2 "disabled"
extern const KvOptionList optPaeState;                // 1 "initialize", 2 "disconnected" ... 9 "forceUnauth"
extern const KvOptionList optBackendState;            // 1 "request", 2 "response" ... 7 "initialize"
extern const KvOptionList optControlledDirections;    // 0 "both", 1 "in"
extern const KvOptionList optAuthPortStatus;          // 1 "authorized", 2 "unauthorized"
extern const KvOptionList optAuthPortControl;         // 1 "forceUnauthorized", 2 "auto", 3 "forceAuthorized"
extern const KvOptionList optSessionAuthenticMethod;  // 1 "remoteAuthServer", 2 "localAuthServer"
extern const KvOptionList optSessionTerminateCause;   // 1 "supplicantLogoff", 2 "portFailure" ... 999 "notTerminatedYet"
extern const KvOptionList optSupplicantState;         // 1 "disconnected", 2 "logoff" ... 7 "held"
extern const KvOptionList optSystemRebootState;       // 1 "other", 2 "reboot" ... 4 "reboot-and-load-factory-default-config"
extern const KvOptionList optOtherDisabledEnabled;    // 1 "other", 2 "disabled", 3 "enabled"
extern const KvOptionList optSchedulingMechanism;     // 1 "strict", 2 "roundrobin"
extern const KvOptionList optIgmpCurrentState;        // 1 "other", 2 "querier", 3 "non-querier"
extern const KvOptionList optOtherDisableEnable;      // 1 "other", 2 "disable", 3 "enable"
extern const KvOptionList optLinkStatus;              // 1 "other", 2 "link-pass", 3 "link-fail"
extern const KvOptionList optNwayStatus;              // 1 "auto", 2 "half-10Mbps" ... 7 "full-1Gigabps"
extern const KvOptionList optNwayState;               // 1 "nway-auto", 2 "nway-disabled-10Mbps-Half" ... 7 "nway-disabled-1Gigabps-Full"
extern const KvOptionList optPortSecurityMode;        // 2 "permanent", 3 "deleteOnTimeout", 4 "deleteOnReset"
extern const KvOptionList optEnableDisable23;         // 2 "enable", 3 "disable"
extern const KvOptionList optMacMaskState;            // 2 "dst-mac-addr", 3 "src-mac-addr", 4 "dst-src-mac-addr"
extern const KvOptionList optPermitDeny;              // 1 "permit", 2 "deny"
extern const KvOptionList optIpMaskState;             // 2 "dst-ip-addr", 3 "src-ip-addr", 4 "dst-src-ip-addr"
extern const KvOptionList optProtocolType;            // 1 "none", 2 "icmp", 3 "igmp", 4 "tcp", 5 "udp", 6 "protocolId"
extern const KvOptionList optIcmpOption;              // 1 "none", 2 "type", 3 "code", 4 "type-code"
extern const KvOptionList optEnableDisable;           // 1 "enable", 2 "disable"
extern const KvOptionList optPortMaskOption;          // 1 "other", 2 "dst-addr", 3 "src-addr", 4 "dst-src-addr"
extern const KvOptionList optDenyPermit;              // 1 "deny", 2 "permit"
extern const KvOptionList optPortType;                // 1 "portType-100Base-TX", 2 "portType-100Base-FX" ... 11 "none"
extern const KvOptionList optLinkPassFail;            // 2 "link-pass", 3 "link-fail"
extern const KvOptionList optPortNwayStatus;          // 0 "other", 1 "empty" ... 8 "full-1Gigabps"
extern const KvOptionList optModuleType;              // 0 "none", 1 "moduleType-COMBO" ... 26 "moduleType-BaseModule-24PORT"
extern const KvOptionList optSaveConfigure;           // 1 "normal", 2 "active"

// One value-name list with the static table it is built from.
struct OptionListInfo {
    const char* name;            // the list's name without the "opt" prefix
    uint32_t kind;               // 1 integer values, 2 text values
    const KvOptionDef* table;    // ends with a row whose label is null
    const KvOptionList* list;
};

// Every value-name list above, in definition order.
std::span<const OptionListInfo> OptionLists();

} // namespace kvtables
