#include "tables/optionlists.h"

namespace kvtables {

static const KvOptionDef defsDisabledEnabled[] = {
    {2, nullptr, "disabled"},
    {3, nullptr, "enabled"},
    {},
};
const KvOptionList optDisabledEnabled(KvOptionList::kIntegerValues, defsDisabledEnabled);

static const KvOptionDef defsUnitMgmtMode[] = {
    {2, nullptr, "auto"},
    {3, nullptr, "stand-alone"},
    {4, nullptr, "master"},
    {5, nullptr, "slave"},
    {},
};
const KvOptionList optUnitMgmtMode(KvOptionList::kIntegerValues, defsUnitMgmtMode);

static const KvOptionDef defsPowerStatus[] = {
    {0, nullptr, "other"},
    {1, nullptr, "lowVoltage"},
    {2, nullptr, "overCurrent"},
    {3, nullptr, "working"},
    {4, nullptr, "fail"},
    {5, nullptr, "connect"},
    {6, nullptr, "disconnect"},
    {},
};
const KvOptionList optPowerStatus(KvOptionList::kIntegerValues, defsPowerStatus);

static const KvOptionDef defsTrapSeverity[] = {
    {0, nullptr, "critical"},
    {1, nullptr, "major"},
    {2, nullptr, "minor"},
    {3, nullptr, "warning"},
    {},
};
const KvOptionList optTrapSeverity(KvOptionList::kIntegerValues, defsTrapSeverity);

static const KvOptionDef defsProtocolCapability[] = {
    {1, nullptr, "other"},
    {2, nullptr, "snmp-ip"},
    {3, nullptr, "snmp-ipx"},
    {4, nullptr, "snmp-ip-ipx"},
    {},
};
const KvOptionList optProtocolCapability(KvOptionList::kIntegerValues, defsProtocolCapability);

static const KvOptionDef defsConsoleStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "in-use"},
    {3, nullptr, "not-in-use"},
    {},
};
const KvOptionList optConsoleStatus(KvOptionList::kIntegerValues, defsConsoleStatus);

static const KvOptionDef defsDeviceConfigStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "proceeding"},
    {3, nullptr, "completed"},
    {4, nullptr, "failed"},
    {},
};
const KvOptionList optDeviceConfigStatus(KvOptionList::kIntegerValues, defsDeviceConfigStatus);

static const KvOptionDef defsFirmwareDownloadStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "in-process"},
    {3, nullptr, "invalid-file"},
    {4, nullptr, "violation"},
    {5, nullptr, "file-not-found"},
    {6, nullptr, "disk-full"},
    {7, nullptr, "complete"},
    {8, nullptr, "time-out"},
    {},
};
const KvOptionList optFirmwareDownloadStatus(KvOptionList::kIntegerValues, defsFirmwareDownloadStatus);

static const KvOptionDef defsMibCapabilityType[] = {
    {1, nullptr, "other"},
    {2, nullptr, "standard"},
    {3, nullptr, "proprietary"},
    {4, nullptr, "experiment"},
    {},
};
const KvOptionList optMibCapabilityType(KvOptionList::kIntegerValues, defsMibCapabilityType);

static const KvOptionDef defsSystemResetState[] = {
    {2, nullptr, "cold-start"},
    {4, nullptr, "no-reset"},
    {},
};
const KvOptionList optSystemResetState(KvOptionList::kIntegerValues, defsSystemResetState);

static const KvOptionDef defsRs232PortConfig[] = {
    {2, nullptr, "console"},
    {3, nullptr, "out-of-band"},
    {4, nullptr, "notAvail"},
    {},
};
const KvOptionList optRs232PortConfig(KvOptionList::kIntegerValues, defsRs232PortConfig);

static const KvOptionDef defsSaveConfig[] = {
    {2, nullptr, "idle"},
    {3, nullptr, "set"},
    {},
};
const KvOptionList optSaveConfig(KvOptionList::kIntegerValues, defsSaveConfig);

static const KvOptionDef defsConsoleBaudRate[] = {
    {2, nullptr, "baudRate-9600"},
    {3, nullptr, "baudRate-19200"},
    {4, nullptr, "baudRate-38400"},
    {5, nullptr, "baudRate-115200"},
    {},
};
const KvOptionList optConsoleBaudRate(KvOptionList::kIntegerValues, defsConsoleBaudRate);

static const KvOptionDef defsGetIpFrom[] = {
    {2, nullptr, "disabled"},
    {3, nullptr, "bootp"},
    {4, nullptr, "dhcp"},
    {},
};
const KvOptionList optGetIpFrom(KvOptionList::kIntegerValues, defsGetIpFrom);

static const KvOptionDef defsTransferType[] = {
    {2, nullptr, "network-load"},
    {3, nullptr, "out-of-band-load"},
    {},
};
const KvOptionList optTransferType(KvOptionList::kIntegerValues, defsTransferType);

static const KvOptionDef defsLoadType[] = {
    {2, nullptr, "upload"},
    {3, nullptr, "download"},
    {},
};
const KvOptionList optLoadType(KvOptionList::kIntegerValues, defsLoadType);

static const KvOptionDef defsUpdateFileStatus[] = {
    {2, nullptr, "inactive"},
    {3, nullptr, "start"},
    {},
};
const KvOptionList optUpdateFileStatus(KvOptionList::kIntegerValues, defsUpdateFileStatus);

static const KvOptionDef defsTrueFalse[] = {
    {1, nullptr, "true"},
    {2, nullptr, "false"},
    {},
};
const KvOptionList optTrueFalse(KvOptionList::kIntegerValues, defsTrueFalse);

static const KvOptionDef defsTimeSource[] = {
    {0, nullptr, "system"},
    {1, nullptr, "server1"},
    {2, nullptr, "server2"},
    {},
};
const KvOptionList optTimeSource(KvOptionList::kIntegerValues, defsTimeSource);

static const KvOptionDef defsBridgeType[] = {
    {1, nullptr, "unknown"},
    {2, nullptr, "transparent-only"},
    {3, nullptr, "sourceroute-only"},
    {4, nullptr, "srt"},
    {},
};
const KvOptionList optBridgeType(KvOptionList::kIntegerValues, defsBridgeType);

static const KvOptionDef defsStpVersion[] = {
    {0, nullptr, "STP Compatibility"},
    {2, nullptr, "RSTP"},
    {},
};
const KvOptionList optStpVersion(KvOptionList::kIntegerValues, defsStpVersion);

static const KvOptionDef defsVlanMode[] = {
    {1, nullptr, "qvlan"},
    {2, nullptr, "portvlan"},
    {},
};
const KvOptionList optVlanMode(KvOptionList::kIntegerValues, defsVlanMode);

static const KvOptionDef defsFdbStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "invalid"},
    {3, nullptr, "learned"},
    {4, nullptr, "self"},
    {5, nullptr, "mgmt"},
    {},
};
const KvOptionList optFdbStatus(KvOptionList::kIntegerValues, defsFdbStatus);

static const KvOptionDef defsStorageType[] = {
    {1, nullptr, "other"},
    {2, nullptr, "volatile"},
    {3, nullptr, "nonVolatile"},
    {4, nullptr, "permanent"},
    {5, nullptr, "readOnly"},
    {},
};
const KvOptionList optStorageType(KvOptionList::kIntegerValues, defsStorageType);

static const KvOptionDef defsRowStatus[] = {
    {1, nullptr, "active"},
    {2, nullptr, "notInService"},
    {3, nullptr, "notReady"},
    {4, nullptr, "createAndGo"},
    {5, nullptr, "createAndWait"},
    {6, nullptr, "destroy"},
    {},
};
const KvOptionList optRowStatus(KvOptionList::kIntegerValues, defsRowStatus);

static const KvOptionDef defsSecurityLevel[] = {
    {1, nullptr, "noAuthNoPriv"},
    {2, nullptr, "authNoPriv"},
    {3, nullptr, "authPriv"},
    {},
};
const KvOptionList optSecurityLevel(KvOptionList::kIntegerValues, defsSecurityLevel);

static const KvOptionDef defsUsmAuthProtocol[] = {
    {0, "1.3.6.1.6.3.10.1.1.1", "None"},
    {0, "1.3.6.1.6.3.10.1.1.2", "MD5"},
    {0, "1.3.6.1.6.3.10.1.1.3", "SHA"},
    {0, "1.3.6.1.6.3.10.1.1.4", "SHA-224"},
    {0, "1.3.6.1.6.3.10.1.1.5", "SHA-256"},
    {0, "1.3.6.1.6.3.10.1.1.6", "SHA-384"},
    {0, "1.3.6.1.6.3.10.1.1.7", "SHA-512"},
    {},
};
const KvOptionList optUsmAuthProtocol(KvOptionList::kTextValues, defsUsmAuthProtocol);

static const KvOptionDef defsUsmPrivProtocol[] = {
    {0, "1.3.6.1.6.3.10.1.2.1", "None"},
    {0, "1.3.6.1.6.3.10.1.2.2", "DES"},
    {0, "1.3.6.1.6.3.10.1.2.4", "AES"},
    {0, "1.3.6.1.4.1.14832.1.3", "AES-192"},
    {0, "1.3.6.1.4.1.14832.1.4", "AES-256"},
    {},
};
const KvOptionList optUsmPrivProtocol(KvOptionList::kTextValues, defsUsmPrivProtocol);

static const KvOptionDef defsContextMatch[] = {
    {1, nullptr, "exact"},
    {2, nullptr, "prefix"},
    {},
};
const KvOptionList optContextMatch(KvOptionList::kIntegerValues, defsContextMatch);

static const KvOptionDef defsIncludedExcluded[] = {
    {1, nullptr, "included"},
    {2, nullptr, "excluded"},
    {},
};
const KvOptionList optIncludedExcluded(KvOptionList::kIntegerValues, defsIncludedExcluded);

static const KvOptionDef defsNotifyType[] = {
    {1, nullptr, "trap"},
    {2, nullptr, "inform"},
    {},
};
const KvOptionList optNotifyType(KvOptionList::kIntegerValues, defsNotifyType);

static const KvOptionDef defsAuthProtocol[] = {
    {1, nullptr, "authProtocolNone"},
    {2, nullptr, "authProtocolLocal"},
    {3, nullptr, "authProtocolRadius"},
    {4, nullptr, "authProtocolRadiusEap"},
    {5, nullptr, "authProtocolRadiusChap"},
    {6, nullptr, "authProtocolTacacs"},
    {},
};
const KvOptionList optAuthProtocol(KvOptionList::kIntegerValues, defsAuthProtocol);

static const KvOptionDef defsRadiusServerIndex[] = {
    {1, nullptr, "swRadiusServerIndex-first"},
    {2, nullptr, "swRadiusServerIndex-second"},
    {3, nullptr, "swRadiusServerIndex-third"},
    {},
};
const KvOptionList optRadiusServerIndex(KvOptionList::kIntegerValues, defsRadiusServerIndex);

static const KvOptionDef defsAcctServiceIndex[] = {
    {1, nullptr, "acctServiceIndex-network"},
    {2, nullptr, "acctServiceIndex-exec"},
    {3, nullptr, "acctServiceIndex-system"},
    {},
};
const KvOptionList optAcctServiceIndex(KvOptionList::kIntegerValues, defsAcctServiceIndex);

static const KvOptionDef defsAcctServiceMethod[] = {
    {1, nullptr, "RadiusAcctServiceMethodNone"},
    {2, nullptr, "RadiusAcctServiceMethodRadius"},
    {},
};
const KvOptionList optAcctServiceMethod(KvOptionList::kIntegerValues, defsAcctServiceMethod);

static const KvOptionDef defsAcctServiceMode[] = {
    {1, nullptr, "radiusAcctServiceModeNone"},
    {2, nullptr, "radiusAcctServiceModeStartStop"},
    {3, nullptr, "radiusAcctServiceModeStopOnly"},
    {},
};
const KvOptionList optAcctServiceMode(KvOptionList::kIntegerValues, defsAcctServiceMode);

static const KvOptionDef defsEnabledDisabled[] = {
    {1, nullptr, "enabled"},
    {2, nullptr, "disabled"},
    {},
};
const KvOptionList optEnabledDisabled(KvOptionList::kIntegerValues, defsEnabledDisabled);

static const KvOptionDef defsPaeState[] = {
    {1, nullptr, "initialize"},
    {2, nullptr, "disconnected"},
    {3, nullptr, "connecting"},
    {4, nullptr, "authenticating"},
    {5, nullptr, "authenticated"},
    {6, nullptr, "aborting"},
    {7, nullptr, "held"},
    {8, nullptr, "forceAuth"},
    {9, nullptr, "forceUnauth"},
    {},
};
const KvOptionList optPaeState(KvOptionList::kIntegerValues, defsPaeState);

static const KvOptionDef defsBackendState[] = {
    {1, nullptr, "request"},
    {2, nullptr, "response"},
    {3, nullptr, "success"},
    {4, nullptr, "fail"},
    {5, nullptr, "timeout"},
    {6, nullptr, "idle"},
    {7, nullptr, "initialize"},
    {},
};
const KvOptionList optBackendState(KvOptionList::kIntegerValues, defsBackendState);

static const KvOptionDef defsControlledDirections[] = {
    {0, nullptr, "both"},
    {1, nullptr, "in"},
    {},
};
const KvOptionList optControlledDirections(KvOptionList::kIntegerValues, defsControlledDirections);

static const KvOptionDef defsAuthPortStatus[] = {
    {1, nullptr, "authorized"},
    {2, nullptr, "unauthorized"},
    {},
};
const KvOptionList optAuthPortStatus(KvOptionList::kIntegerValues, defsAuthPortStatus);

static const KvOptionDef defsAuthPortControl[] = {
    {1, nullptr, "forceUnauthorized"},
    {2, nullptr, "auto"},
    {3, nullptr, "forceAuthorized"},
    {},
};
const KvOptionList optAuthPortControl(KvOptionList::kIntegerValues, defsAuthPortControl);

static const KvOptionDef defsSessionAuthenticMethod[] = {
    {1, nullptr, "remoteAuthServer"},
    {2, nullptr, "localAuthServer"},
    {},
};
const KvOptionList optSessionAuthenticMethod(KvOptionList::kIntegerValues, defsSessionAuthenticMethod);

static const KvOptionDef defsSessionTerminateCause[] = {
    {1,   nullptr, "supplicantLogoff"},
    {2,   nullptr, "portFailure"},
    {3,   nullptr, "supplicantRestart"},
    {4,   nullptr, "reauthFailed"},
    {5,   nullptr, "authControlForceUnauth"},
    {6,   nullptr, "portReInit"},
    {7,   nullptr, "portAdminDisabled"},
    {999, nullptr, "notTerminatedYet"},
    {},
};
const KvOptionList optSessionTerminateCause(KvOptionList::kIntegerValues, defsSessionTerminateCause);

static const KvOptionDef defsSupplicantState[] = {
    {1, nullptr, "disconnected"},
    {2, nullptr, "logoff"},
    {3, nullptr, "connecting"},
    {4, nullptr, "authenticating"},
    {5, nullptr, "authenticated"},
    {6, nullptr, "acquired"},
    {7, nullptr, "held"},
    {},
};
const KvOptionList optSupplicantState(KvOptionList::kIntegerValues, defsSupplicantState);

static const KvOptionDef defsSystemRebootState[] = {
    {1, nullptr, "other"},
    {2, nullptr, "reboot"},
    {3, nullptr, "save-config-and-reboot"},
    {4, nullptr, "reboot-and-load-factory-default-config"},
    {},
};
const KvOptionList optSystemRebootState(KvOptionList::kIntegerValues, defsSystemRebootState);

static const KvOptionDef defsOtherDisabledEnabled[] = {
    {1, nullptr, "other"},
    {2, nullptr, "disabled"},
    {3, nullptr, "enabled"},
    {},
};
const KvOptionList optOtherDisabledEnabled(KvOptionList::kIntegerValues, defsOtherDisabledEnabled);

static const KvOptionDef defsSchedulingMechanism[] = {
    {1, nullptr, "strict"},
    {2, nullptr, "roundrobin"},
    {},
};
const KvOptionList optSchedulingMechanism(KvOptionList::kIntegerValues, defsSchedulingMechanism);

static const KvOptionDef defsIgmpCurrentState[] = {
    {1, nullptr, "other"},
    {2, nullptr, "querier"},
    {3, nullptr, "non-querier"},
    {},
};
const KvOptionList optIgmpCurrentState(KvOptionList::kIntegerValues, defsIgmpCurrentState);

static const KvOptionDef defsOtherDisableEnable[] = {
    {1, nullptr, "other"},
    {2, nullptr, "disable"},
    {3, nullptr, "enable"},
    {},
};
const KvOptionList optOtherDisableEnable(KvOptionList::kIntegerValues, defsOtherDisableEnable);

static const KvOptionDef defsLinkStatus[] = {
    {1, nullptr, "other"},
    {2, nullptr, "link-pass"},
    {3, nullptr, "link-fail"},
    {},
};
const KvOptionList optLinkStatus(KvOptionList::kIntegerValues, defsLinkStatus);

static const KvOptionDef defsNwayStatus[] = {
    {1, nullptr, "auto"},
    {2, nullptr, "half-10Mbps"},
    {3, nullptr, "full-10Mbps"},
    {4, nullptr, "half-100Mbps"},
    {5, nullptr, "full-100Mbps"},
    {6, nullptr, "half-1Gigabps"},
    {7, nullptr, "full-1Gigabps"},
    {},
};
const KvOptionList optNwayStatus(KvOptionList::kIntegerValues, defsNwayStatus);

static const KvOptionDef defsNwayState[] = {
    {1, nullptr, "nway-auto"},
    {2, nullptr, "nway-disabled-10Mbps-Half"},
    {3, nullptr, "nway-disabled-10Mbps-Full"},
    {4, nullptr, "nway-disabled-100Mbps-Half"},
    {5, nullptr, "nway-disabled-100Mbps-Full"},
    {6, nullptr, "nway-disabled-1Gigabps-Half"},
    {7, nullptr, "nway-disabled-1Gigabps-Full"},
    {},
};
const KvOptionList optNwayState(KvOptionList::kIntegerValues, defsNwayState);

static const KvOptionDef defsPortSecurityMode[] = {
    {2, nullptr, "permanent"},
    {3, nullptr, "deleteOnTimeout"},
    {4, nullptr, "deleteOnReset"},
    {},
};
const KvOptionList optPortSecurityMode(KvOptionList::kIntegerValues, defsPortSecurityMode);

static const KvOptionDef defsEnableDisable23[] = {
    {2, nullptr, "enable"},
    {3, nullptr, "disable"},
    {},
};
const KvOptionList optEnableDisable23(KvOptionList::kIntegerValues, defsEnableDisable23);

static const KvOptionDef defsMacMaskState[] = {
    {2, nullptr, "dst-mac-addr"},
    {3, nullptr, "src-mac-addr"},
    {4, nullptr, "dst-src-mac-addr"},
    {},
};
const KvOptionList optMacMaskState(KvOptionList::kIntegerValues, defsMacMaskState);

static const KvOptionDef defsPermitDeny[] = {
    {1, nullptr, "permit"},
    {2, nullptr, "deny"},
    {},
};
const KvOptionList optPermitDeny(KvOptionList::kIntegerValues, defsPermitDeny);

static const KvOptionDef defsIpMaskState[] = {
    {2, nullptr, "dst-ip-addr"},
    {3, nullptr, "src-ip-addr"},
    {4, nullptr, "dst-src-ip-addr"},
    {},
};
const KvOptionList optIpMaskState(KvOptionList::kIntegerValues, defsIpMaskState);

static const KvOptionDef defsProtocolType[] = {
    {1, nullptr, "none"},
    {2, nullptr, "icmp"},
    {3, nullptr, "igmp"},
    {4, nullptr, "tcp"},
    {5, nullptr, "udp"},
    {6, nullptr, "protocolId"},
    {},
};
const KvOptionList optProtocolType(KvOptionList::kIntegerValues, defsProtocolType);

static const KvOptionDef defsIcmpOption[] = {
    {1, nullptr, "none"},
    {2, nullptr, "type"},
    {3, nullptr, "code"},
    {4, nullptr, "type-code"},
    {},
};
const KvOptionList optIcmpOption(KvOptionList::kIntegerValues, defsIcmpOption);

static const KvOptionDef defsEnableDisable[] = {
    {1, nullptr, "enable"},
    {2, nullptr, "disable"},
    {},
};
const KvOptionList optEnableDisable(KvOptionList::kIntegerValues, defsEnableDisable);

static const KvOptionDef defsPortMaskOption[] = {
    {1, nullptr, "other"},
    {2, nullptr, "dst-addr"},
    {3, nullptr, "src-addr"},
    {4, nullptr, "dst-src-addr"},
    {},
};
const KvOptionList optPortMaskOption(KvOptionList::kIntegerValues, defsPortMaskOption);

static const KvOptionDef defsDenyPermit[] = {
    {1, nullptr, "deny"},
    {2, nullptr, "permit"},
    {},
};
const KvOptionList optDenyPermit(KvOptionList::kIntegerValues, defsDenyPermit);

static const KvOptionDef defsPortType[] = {
    {1,  nullptr, "portType-100Base-TX"},
    {2,  nullptr, "portType-100Base-FX"},
    {3,  nullptr, "portType-100Base-FL"},
    {4,  nullptr, "portType-1000Base-TX"},
    {5,  nullptr, "portType-1000Base-SX"},
    {6,  nullptr, "portType-1000Base-LX"},
    {7,  nullptr, "portType-1000Base-SX-GBIC"},
    {8,  nullptr, "portType-1000Base-LX-GBIC"},
    {9,  nullptr, "portType-1000Base-TX-GBIC"},
    {10, nullptr, "portType-1000Base-1394"},
    {11, nullptr, "none"},
    {},
};
const KvOptionList optPortType(KvOptionList::kIntegerValues, defsPortType);

static const KvOptionDef defsLinkPassFail[] = {
    {2, nullptr, "link-pass"},
    {3, nullptr, "link-fail"},
    {},
};
const KvOptionList optLinkPassFail(KvOptionList::kIntegerValues, defsLinkPassFail);

static const KvOptionDef defsPortNwayStatus[] = {
    {0, nullptr, "other"},
    {1, nullptr, "empty"},
    {2, nullptr, "link-down"},
    {3, nullptr, "half-10Mbps"},
    {4, nullptr, "full-10Mbps"},
    {5, nullptr, "half-100Mbps"},
    {6, nullptr, "full-100Mbps"},
    {7, nullptr, "half-1Gigabps"},
    {8, nullptr, "full-1Gigabps"},
    {},
};
const KvOptionList optPortNwayStatus(KvOptionList::kIntegerValues, defsPortNwayStatus);

static const KvOptionDef defsModuleType[] = {
    {0,  nullptr, "none"},
    {1,  nullptr, "moduleType-COMBO"},
    {2,  nullptr, "moduleType-1394"},
    {3,  nullptr, "moduleType-1000T"},
    {4,  nullptr, "moduleType-MGBIC"},
    {5,  nullptr, "moduleType-1P-SC-SX"},
    {6,  nullptr, "moduleType-2P-SC-SX"},
    {7,  nullptr, "moduleType-1P-SC-LX"},
    {8,  nullptr, "moduleType-2P-SC-LX"},
    {9,  nullptr, "moduleType-1P-TX"},
    {10, nullptr, "moduleType-2P-TX"},
    {11, nullptr, "moduleType-1P-MTRJ-SX"},
    {12, nullptr, "moduleType-2P-MTRJ-SX"},
    {13, nullptr, "moduleType-1P-MTRJ-LX"},
    {14, nullptr, "moduleType-2P-MTRJ-LX"},
    {15, nullptr, "moduleType-1P-GBIC"},
    {16, nullptr, "moduleType-2P-GBIC"},
    {17, nullptr, "moduleType-1P-GBIC-1P-TX"},
    {18, nullptr, "moduleType-1P-GBIC-1P-STACK"},
    {19, nullptr, "moduleType-2P-STACK"},
    {20, nullptr, "moduleType-2P-100FX"},
    {21, nullptr, "moduleType-1P-100FX"},
    {22, nullptr, "moduleType-2P-100FX-NEW"},
    {23, nullptr, "moduleType-1P-100FL"},
    {24, nullptr, "moduleType-2P-100FL"},
    {25, nullptr, "moduleType-2P-100TX"},
    {26, nullptr, "moduleType-BaseModule-24PORT"},
    {},
};
const KvOptionList optModuleType(KvOptionList::kIntegerValues, defsModuleType);
// The save-configuration variable written by the "Save Changes" command.
static const KvOptionDef defsSaveConfigure[] = {
    {1, nullptr, "normal"},
    {2, nullptr, "active"},
    {},
};
const KvOptionList optSaveConfigure(KvOptionList::kIntegerValues, defsSaveConfigure);

static const OptionListInfo optionLists[] = {
    {"DisabledEnabled",        1, defsDisabledEnabled,        &optDisabledEnabled},
    {"UnitMgmtMode",           1, defsUnitMgmtMode,           &optUnitMgmtMode},
    {"PowerStatus",            1, defsPowerStatus,            &optPowerStatus},
    {"TrapSeverity",           1, defsTrapSeverity,           &optTrapSeverity},
    {"ProtocolCapability",     1, defsProtocolCapability,     &optProtocolCapability},
    {"ConsoleStatus",          1, defsConsoleStatus,          &optConsoleStatus},
    {"DeviceConfigStatus",     1, defsDeviceConfigStatus,     &optDeviceConfigStatus},
    {"FirmwareDownloadStatus", 1, defsFirmwareDownloadStatus, &optFirmwareDownloadStatus},
    {"MibCapabilityType",      1, defsMibCapabilityType,      &optMibCapabilityType},
    {"SystemResetState",       1, defsSystemResetState,       &optSystemResetState},
    {"Rs232PortConfig",        1, defsRs232PortConfig,        &optRs232PortConfig},
    {"SaveConfig",             1, defsSaveConfig,             &optSaveConfig},
    {"ConsoleBaudRate",        1, defsConsoleBaudRate,        &optConsoleBaudRate},
    {"GetIpFrom",              1, defsGetIpFrom,              &optGetIpFrom},
    {"TransferType",           1, defsTransferType,           &optTransferType},
    {"LoadType",               1, defsLoadType,               &optLoadType},
    {"UpdateFileStatus",       1, defsUpdateFileStatus,       &optUpdateFileStatus},
    {"TrueFalse",              1, defsTrueFalse,              &optTrueFalse},
    {"TimeSource",             1, defsTimeSource,             &optTimeSource},
    {"BridgeType",             1, defsBridgeType,             &optBridgeType},
    {"StpVersion",             1, defsStpVersion,             &optStpVersion},
    {"VlanMode",               1, defsVlanMode,               &optVlanMode},
    {"FdbStatus",              1, defsFdbStatus,              &optFdbStatus},
    {"StorageType",            1, defsStorageType,            &optStorageType},
    {"RowStatus",              1, defsRowStatus,              &optRowStatus},
    {"SecurityLevel",          1, defsSecurityLevel,          &optSecurityLevel},
    {"UsmAuthProtocol",        2, defsUsmAuthProtocol,        &optUsmAuthProtocol},
    {"UsmPrivProtocol",        2, defsUsmPrivProtocol,        &optUsmPrivProtocol},
    {"ContextMatch",           1, defsContextMatch,           &optContextMatch},
    {"IncludedExcluded",       1, defsIncludedExcluded,       &optIncludedExcluded},
    {"NotifyType",             1, defsNotifyType,             &optNotifyType},
    {"AuthProtocol",           1, defsAuthProtocol,           &optAuthProtocol},
    {"RadiusServerIndex",      1, defsRadiusServerIndex,      &optRadiusServerIndex},
    {"AcctServiceIndex",       1, defsAcctServiceIndex,       &optAcctServiceIndex},
    {"AcctServiceMethod",      1, defsAcctServiceMethod,      &optAcctServiceMethod},
    {"AcctServiceMode",        1, defsAcctServiceMode,        &optAcctServiceMode},
    {"EnabledDisabled",        1, defsEnabledDisabled,        &optEnabledDisabled},
    {"PaeState",               1, defsPaeState,               &optPaeState},
    {"BackendState",           1, defsBackendState,           &optBackendState},
    {"ControlledDirections",   1, defsControlledDirections,   &optControlledDirections},
    {"AuthPortStatus",         1, defsAuthPortStatus,         &optAuthPortStatus},
    {"AuthPortControl",        1, defsAuthPortControl,        &optAuthPortControl},
    {"SessionAuthenticMethod", 1, defsSessionAuthenticMethod, &optSessionAuthenticMethod},
    {"SessionTerminateCause",  1, defsSessionTerminateCause,  &optSessionTerminateCause},
    {"SupplicantState",        1, defsSupplicantState,        &optSupplicantState},
    {"SystemRebootState",      1, defsSystemRebootState,      &optSystemRebootState},
    {"OtherDisabledEnabled",   1, defsOtherDisabledEnabled,   &optOtherDisabledEnabled},
    {"SchedulingMechanism",    1, defsSchedulingMechanism,    &optSchedulingMechanism},
    {"IgmpCurrentState",       1, defsIgmpCurrentState,       &optIgmpCurrentState},
    {"OtherDisableEnable",     1, defsOtherDisableEnable,     &optOtherDisableEnable},
    {"LinkStatus",             1, defsLinkStatus,             &optLinkStatus},
    {"NwayStatus",             1, defsNwayStatus,             &optNwayStatus},
    {"NwayState",              1, defsNwayState,              &optNwayState},
    {"PortSecurityMode",       1, defsPortSecurityMode,       &optPortSecurityMode},
    {"EnableDisable23",        1, defsEnableDisable23,        &optEnableDisable23},
    {"MacMaskState",           1, defsMacMaskState,           &optMacMaskState},
    {"PermitDeny",             1, defsPermitDeny,             &optPermitDeny},
    {"IpMaskState",            1, defsIpMaskState,            &optIpMaskState},
    {"ProtocolType",           1, defsProtocolType,           &optProtocolType},
    {"IcmpOption",             1, defsIcmpOption,             &optIcmpOption},
    {"EnableDisable",          1, defsEnableDisable,          &optEnableDisable},
    {"PortMaskOption",         1, defsPortMaskOption,         &optPortMaskOption},
    {"DenyPermit",             1, defsDenyPermit,             &optDenyPermit},
    {"PortType",               1, defsPortType,               &optPortType},
    {"LinkPassFail",           1, defsLinkPassFail,           &optLinkPassFail},
    {"PortNwayStatus",         1, defsPortNwayStatus,         &optPortNwayStatus},
    {"ModuleType",             1, defsModuleType,             &optModuleType},
    {"SaveConfigure",          1, defsSaveConfigure,          &optSaveConfigure},
};

std::span<const OptionListInfo> OptionLists()
{
    return optionLists;
}

} // namespace kvtables
