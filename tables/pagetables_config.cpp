#include "osprey_config.h"
#include "tables/optionlists.h"
#include "tables/pagetables.h"

// The maker's enterprise arc; rows write ENT ".11.36.2.6.2.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvtables {

// "Basic Configuration" > "Device Management" > "Device Information" (DeviceInformation1Click)
const VarDef varsDeviceInformation[] = {
    {ENT ".11.55.1.2.1.1.1", "Total Number Of Port",  synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.1.1.2", "Number Of Port In Use", synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutDeviceInformation[] = {
    {uiEditUnselected, "%s", &varsDeviceInformation[0]},
    {uiEditUnselected, "%s", &varsDeviceInformation[1]},
    {},
};

// "Basic Configuration" > "Device Management" > "Alarm Control" (AlarmControl1Click)
const VarDef varsAlarmControl[] = {
    {ENT ".11.55.1.2.1.3.1", "New Root Alarm",        synInteger, accRW, &optDisabledEnabled},
    {ENT ".11.55.1.2.1.3.2", "Topology Change Alarm", synInteger, accRW, &optDisabledEnabled},
    {ENT ".11.55.1.2.1.3.3", "Link Change Alarm",     synInteger, accRW, &optDisabledEnabled},
    {},
};
const UIEntryDef layoutAlarmControl[] = {
    {uiCombo, "%s", &varsAlarmControl[0]},
    {uiCombo, "%s", &varsAlarmControl[1]},
    {uiCombo, "%s", &varsAlarmControl[2]},
    {},
};

// "Basic Configuration" > "Equipment Management" > "Unit Table" (UnitTable1Click)
const VarDef varsUnitTable[] = {
    {ENT ".12.11.1.9.4.1.1", "Unit ID",           synInteger,       accRO, nullptr},
    {ENT ".12.11.1.9.4.1.2", "Mac Address",       synMacAddress,    accRO, nullptr},
    {ENT ".12.11.1.9.4.1.3", "Start Port",        synInteger,       accRO, nullptr},
    {ENT ".12.11.1.9.4.1.4", "Port Range",        synInteger,       accRO, nullptr},
    {ENT ".12.11.1.9.4.1.6", "Mgmt Ctrl Mode",    synInteger,       accRW, &optUnitMgmtMode},
    {ENT ".12.11.1.9.4.1.7", "Mgmt Current Mode", synInteger,       accRO, &optUnitMgmtMode},
    {ENT ".12.11.1.9.4.1.8", "Version",           synDisplayString, accRO, nullptr},
    {ENT ".12.11.1.9.4.1.9", "ModuleName",        synDisplayString, accRO, nullptr},
    {},
};
const UIEntryDef layoutUnitTable[] = {
    {uiEditUnselected, "%i", &varsUnitTable[0]},
    {uiEditUnselected, "%s", &varsUnitTable[1]},
    {uiEditUnselected, "%i", &varsUnitTable[2]},
    {uiEditUnselected, "%i", &varsUnitTable[3]},
    {uiCombo,          "%i", &varsUnitTable[4]},
    {uiEditUnselected, "%s", &varsUnitTable[5]},
    {uiEditUnselected, "%s", &varsUnitTable[6]},
    {uiEditUnselected, "%s", &varsUnitTable[7]},
    {},
};

// "Basic Configuration" > "Equipment Management" > "Power Table" (PowerTable1Click)
const VarDef varsPowerTable[] = {
    {ENT ".12.11.1.6.1.1", "Power Unit Index", synInteger, accRO, nullptr},
    {ENT ".12.11.1.6.1.2", "Power ID",         synInteger, accRO, nullptr},
    {ENT ".12.11.1.6.1.3", "Power Status",     synInteger, accRO, &optPowerStatus},
    {},
};
const UIEntryDef layoutPowerTable[] = {
    {uiEditUnselected, "%i", &varsPowerTable[0]},
    {uiEditUnselected, "%i", &varsPowerTable[1]},
    {uiEditUnselected, "%s", &varsPowerTable[2]},
    {},
};

// "Basic Configuration" > "Equipment Management" > "Trap Management" (hidden) (TrapManagement2Click)
const VarDef varsEquipmentTrapManagement[] = {
    {ENT ".12.11.2.1.1.1", "Unit Insert",   synInteger, accRW, &optTrapSeverity},
    {ENT ".12.11.2.1.1.2", "Unit Remove",   synInteger, accRW, &optTrapSeverity},
    {ENT ".12.11.2.1.1.3", "Unit Failure",  synInteger, accRW, &optTrapSeverity},
    {ENT ".12.11.2.1.2.1", "Power Failure", synInteger, accRW, &optTrapSeverity},
    {ENT ".12.11.2.1.2.2", "Power Recover", synInteger, accRW, &optTrapSeverity},
    {},
};
const UIEntryDef layoutEquipmentTrapManagement[] = {
    {uiCombo, nullptr, &varsEquipmentTrapManagement[0]},
    {uiCombo, nullptr, &varsEquipmentTrapManagement[1]},
    {uiCombo, nullptr, &varsEquipmentTrapManagement[2]},
    {uiCombo, nullptr, &varsEquipmentTrapManagement[3]},
    {uiCombo, nullptr, &varsEquipmentTrapManagement[4]},
    {},
};

// "Basic Configuration" > "Agent Management" > "Basic Information" (BasicInfo1Click)
const VarDef varsAgentBasicInformation[] = {
    {ENT ".12.1.1.1", "Protocol Capability",         synInteger, accRO, &optProtocolCapability},
    {ENT ".12.1.1.3", "Console Status",              synInteger, accRO, &optConsoleStatus},
    {ENT ".12.1.1.4", "Device Configuration Status", synInteger, accRO, &optDeviceConfigStatus},
    {ENT ".12.1.1.5", "Firmware Download Status",    synInteger, accRO, &optFirmwareDownloadStatus},
    {},
};
const UIEntryDef layoutAgentBasicInformation[] = {
    {uiEditUnselected, "%s", &varsAgentBasicInformation[0]},
    {uiEditUnselected, "%s", &varsAgentBasicInformation[1]},
    {uiEditUnselected, "%s", &varsAgentBasicInformation[2]},
    {uiEditUnselected, "%s", &varsAgentBasicInformation[3]},
    {},
};

// "Basic Configuration" > "Agent Management" > "Mib Capabilities" (MibCapabilities1Click)
const VarDef varsMibCapabilities[] = {
    {ENT ".12.1.1.2.1.1", "Index",       synInteger,       accRO, nullptr},
    {ENT ".12.1.1.2.1.2", "Description", synDisplayString, accRO, nullptr},
    {ENT ".12.1.1.2.1.3", "Version",     synInteger,       accRO, nullptr},
    {ENT ".12.1.1.2.1.4", "Type",        synInteger,       accRO, &optMibCapabilityType},
    {},
};
const UIEntryDef layoutMibCapabilities[] = {
    {uiEditUnselected, "%s", &varsMibCapabilities[0]},
    {uiEditUnselected, "%s", &varsMibCapabilities[1]},
    {uiEditUnselected, "%s", &varsMibCapabilities[2]},
    {uiEditUnselected, "%s", &varsMibCapabilities[3]},
    {},
};

// "Basic Configuration" > "Agent Management" > "Basic Configuration" (BasicConfigure1Click)
const VarDef varsAgentBasicConfiguration[] = {
    {ENT ".12.1.2.3", "System Reset State",            synInteger, accRW, &optSystemResetState},
    {ENT ".12.1.2.4", "Rs232 Port Config",             synInteger, accRO, &optRs232PortConfig},
    {ENT ".12.1.2.6", "Save Config",                   synInteger, accRW, &optSaveConfig},
    {ENT ".12.1.2.7", "Console Port Baud Rate Config", synInteger, accRW, &optConsoleBaudRate},
    {ENT ".12.1.3.3", "Get Ip From",                   synInteger, accRW, &optGetIpFrom},
    {ENT ".12.1.3.1", "Ip Interface Count",            synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutAgentBasicConfiguration[] = {
    {uiCombo,          "%s", &varsAgentBasicConfiguration[0]},
    {uiEdit,           "%s", &varsAgentBasicConfiguration[1]},
    {uiCombo,          "%s", &varsAgentBasicConfiguration[2]},
    {uiCombo,          "%s", &varsAgentBasicConfiguration[3]},
    {uiCombo,          "%s", &varsAgentBasicConfiguration[4]},
    {uiEditUnselected, "%i", &varsAgentBasicConfiguration[5]},
    {},
};

// "Basic Configuration" > "Agent Management" > "Agent Supported Update Files" (AgentSuportedUpdateFiles1Click)
const VarDef varsAgentSupportedUpdateFiles[] = {
    {ENT ".12.1.2.1.1.1", "File Index",    synInteger,       accIdx, nullptr},
    {ENT ".12.1.2.1.1.2", "Description",   synDisplayString, accRW,  nullptr},
    {ENT ".12.1.2.1.1.3", "IP Address",    synIpAddress,     accRW,  nullptr},
    {ENT ".12.1.2.1.1.4", "Transfer Type", synInteger,       accRW,  &optTransferType},
    {ENT ".12.1.2.1.1.5", "File Name",     synDisplayString, accRW,  nullptr},
    {ENT ".12.1.2.1.1.6", "File Type",     synInteger,       accRW,  nullptr},
    {ENT ".12.1.2.1.1.7", "Load Type",     synInteger,       accRW,  &optLoadType},
    {ENT ".12.1.2.1.1.8", "Status",        synInteger,       accRW,  &optUpdateFileStatus},
    {},
};
const UIEntryDef layoutAgentSupportedUpdateFiles[] = {
    {uiEditUnselected, "%i",        &varsAgentSupportedUpdateFiles[0]},
    {uiEdit,           "%s",        &varsAgentSupportedUpdateFiles[1]},
    {uiEdit,           "%s",        &varsAgentSupportedUpdateFiles[2]},
    {uiCombo,          "%s",        &varsAgentSupportedUpdateFiles[3]},
    {uiEdit,           "%s",        &varsAgentSupportedUpdateFiles[4]},
    {uiEdit,           "%i{n1x16}", &varsAgentSupportedUpdateFiles[5]},
    {uiCombo,          "%s",        &varsAgentSupportedUpdateFiles[6]},
    {uiCombo,          "%s",        &varsAgentSupportedUpdateFiles[7]},
    {},
};

// "Basic Configuration" > "Agent Management" > "Trap Management" (hidden) (TrapManagement1Click)
const VarDef varsAgentTrapManagement[] = {
    {ENT ".12.1.7.1.1", "System Traps Severity", synInteger, accRW, &optTrapSeverity},
    {},
};
const UIEntryDef layoutAgentTrapManagement[] = {
    {uiCombo, nullptr, &varsAgentTrapManagement[0]},
    {},
};

// "Basic Configuration" > "Time Management" > "System Time" (CurrentTime1Click)
const VarDef varsCurrentTime[] = {
    {ENT ".12.10.3",    "Clock Reset On Reboot",         synInteger,       accRO, &optTrueFalse},
    {ENT ".12.10.10.1", "Current Time",                  synDisplayString, accRO, nullptr},
    {ENT ".12.10.10.2", "System UpTime",                 synDisplayString, accRO, nullptr},
    {ENT ".12.10.10.3", "System BootTime",               synDisplayString, accRO, nullptr},
    {ENT ".12.10.10.4", "System Time Zone [ -779..839]", synInteger,       accRW, nullptr},
    {},
};
const UIEntryDef layoutCurrentTime[] = {
    {uiEditUnselected, "%s", &varsCurrentTime[0]},
    {uiEditUnselected, "%s", &varsCurrentTime[1]},
    {uiEditUnselected, "%s", &varsCurrentTime[2]},
    {uiEditUnselected, "%s", &varsCurrentTime[3]},
    {uiEditUnselected, "%s", &varsCurrentTime[4]},
    {},
};

// "Basic Configuration" > "Time Management" > "Network Time" (NetworkTime1Click)
const VarDef varsNetworkTime[] = {
    {ENT ".12.10.11.1", "Network Time State",              synInteger,   accRW, &optDisabledEnabled},
    {ENT ".12.10.11.2", "Time Source",                     synInteger,   accRO, &optTimeSource},
    {ENT ".12.10.11.3", "Server1 IPAddr",                  synIpAddress, accRW, nullptr},
    {ENT ".12.10.11.4", "Server2 IPAddr",                  synIpAddress, accRW, nullptr},
    {ENT ".12.10.11.5", "Poll Interval{30....99999(sec)}", synInteger,   accRW, nullptr},
    {},
};
const UIEntryDef layoutNetworkTime[] = {
    {uiCombo, "%i",            &varsNetworkTime[0]},
    {uiCombo, "%i",            &varsNetworkTime[1]},
    {uiEdit,  "%s",            &varsNetworkTime[2]},
    {uiEdit,  "%s",            &varsNetworkTime[3]},
    {uiEdit,  "%i{n30x99999}", &varsNetworkTime[4]},
    {},
};

// "RMON" > "RMON Control" (hidden) (RMONSetting1Click)
const VarDef varsRmonControl[] = {
    {ENT ".11.55.1.2.1.2.3", "Rmon State", synInteger, accRW, &optDisabledEnabled},
    {},
};
const UIEntryDef layoutRmonControl[] = {
    {uiCombo, "%s", &varsRmonControl[0]},
    {},
};

// "Bridge" > "Spanning Tree Algorithm" (hidden) (SpanningTreeAlgorithm1Click)
const VarDef varsSpanningTreeAlgorithm[] = {
    {ENT ".11.55.1.2.1.2.1", "Spanning Tree Algorithm", synInteger, accRW, &optDisabledEnabled},
    {},
};
const UIEntryDef layoutSpanningTreeAlgorithm[] = {
    {uiCombo, "%s", &varsSpanningTreeAlgorithm[0]},
    {},
};

// "Bridge" > "802.1d " > "Information" (Information1Click)
const VarDef varsBridge8021dInformation[] = {
    {"1.3.6.1.2.1.17.1.1", "Bridge Address",         synMacAddress, accRO, nullptr},
    {"1.3.6.1.2.1.17.1.2", "Number of Ports",        synInteger,    accRO, nullptr},
    {"1.3.6.1.2.1.17.1.3", "Bridge Type",            synInteger,    accRO, &optBridgeType},
    {"1.3.6.1.2.1.17.4.1", "Learned Entry Discards", synCounter32,  accRO, nullptr},
    {"1.3.6.1.2.1.17.4.2", "Aging Time[10-765]",     synInteger,    accRW, nullptr},
    {},
};
const UIEntryDef layoutBridge8021dInformation[] = {
    {uiEditUnselected, "%s",          &varsBridge8021dInformation[0]},
    {uiEditUnselected, "%i",          &varsBridge8021dInformation[1]},
    {uiEditUnselected, "%s",          &varsBridge8021dInformation[2]},
    {uiEditUnselected, "%i",          &varsBridge8021dInformation[3]},
    {uiEdit,           "%i{n10x765}", &varsBridge8021dInformation[4]},
    {},
};

// "Bridge" > "Spanning Tree" > "STP Control " (hidden) (Information2Click)
const VarDef varsSpanningTreeControl[] = {
    {"1.3.6.1.2.1.17.2.16", "STP Version",             synInteger, accRW, &optStpVersion},
    {"1.3.6.1.2.1.17.2.2",  "Priority[0-61440]",       synInteger, accRW, nullptr},
    {"1.3.6.1.2.1.17.2.12", "Max Age[600-4000]",       synInteger, accRW, nullptr},
    {"1.3.6.1.2.1.17.2.13", "Hello Time[100-1000]",    synInteger, accRW, nullptr},
    {"1.3.6.1.2.1.17.2.14", "Forward Delay[400-3000]", synInteger, accRW, nullptr},
    {"1.3.6.1.2.1.17.2.17", "Tx Hold Count[1-10]",     synInteger, accRW, nullptr},
    {},
};
const UIEntryDef layoutSpanningTreeControl[] = {
    {uiCombo, "%s",            &varsSpanningTreeControl[0]},
    {uiEdit,  "%i{n0x61440}",  &varsSpanningTreeControl[1]},
    {uiEdit,  "%i{n600x4000}", &varsSpanningTreeControl[2]},
    {uiEdit,  "%i{n100x1000}", &varsSpanningTreeControl[3]},
    {uiEdit,  "%i{n400x3000}", &varsSpanningTreeControl[4]},
    {uiEdit,  "%i{n1x10}",     &varsSpanningTreeControl[5]},
    {},
};

// "VLAN" > "VLan Mode Control" (VLanModeStatus1Click)
const VarDef varsVlanStatusControl[] = {
    {ENT ".12.2.6.2", "swVlanModeSwitch", synInteger, accRW, &optVlanMode},
    {},
};
const UIEntryDef layoutVlanStatusControl[] = {
    {uiCombo, "%s", &varsVlanStatusControl[0]},
    {},
};

// "VLAN" > "802.1P" > "Priority Information" > "Default User Priorities of Each Port" (hidden) (DefaultUserPrioritiesofEachPort1Click)
const VarDef varsDefaultUserPriorities[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",            synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.2.1.1.1", "DefaultUserPriority",   synInteger, accRW,  nullptr},
    {"1.3.6.1.2.1.17.6.1.2.1.1.2", "PortNumTrafficClasses", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutDefaultUserPriorities[] = {
    {uiEditUnselected, "%i",         &varsDefaultUserPriorities[0]},
    {uiEdit,           "%i{n0x7l1}", &varsDefaultUserPriorities[1]},
    {uiEdit,           "%i{n0x8l1}", &varsDefaultUserPriorities[2]},
    {},
};

// "VLAN" > "802.1P" > "Priority Information" > "Regenerated User Priorities" (hidden) (RegeneratedUserPriorities1Click)
const VarDef varsRegeneratedUserPriorities[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",              synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.2.2.1.1", "UserPriority",            synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.2.2.1.2", "RegeneratedUserPriority", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutRegeneratedUserPriorities[] = {
    {uiEditUnselected, "%i",         &varsRegeneratedUserPriorities[0]},
    {uiEditUnselected, "%i",         &varsRegeneratedUserPriorities[1]},
    {uiEdit,           "%i{n0x7l1}", &varsRegeneratedUserPriorities[2]},
    {},
};

// "VLAN" > "802.1P" > "Priority Information" > "User Priorities To Traffic Class" (UserPrioritiesToTrafficClass1Click)
const VarDef varsUserPrioritiesToTrafficClass[] = {
    {ENT ".12.2.7.1.1.1", "swPriority",          synInteger, accIdx, nullptr},
    {ENT ".12.2.7.1.1.2", "swTrafficClassMapTo", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutUserPrioritiesToTrafficClass[] = {
    {uiEditUnselected, "%i",       &varsUserPrioritiesToTrafficClass[0]},
    {uiEdit,           "%i{n0x1}", &varsUserPrioritiesToTrafficClass[1]},
    {},
};

// "VLAN" > "802.1P" > "Priority Information" > "Port Outbound Access Priorities" (hidden) (PortOutboundAccessPriorities1Click)
const VarDef varsPortOutboundAccessPriorities[] = {
    {"1.3.6.1.2.1.17.1.4.1.1",     "PortNumber",                 synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.2.2.1.2", "RegeneratedUserPriority",    synInteger, accIdx, nullptr},
    {"1.3.6.1.2.1.17.6.1.2.4.1.1", "PortOutboundAccessPriority", synInteger, accRO,  nullptr},
    {},
};
const UIEntryDef layoutPortOutboundAccessPriorities[] = {
    {uiEditUnselected, "%i", &varsPortOutboundAccessPriorities[0]},
    {uiEditUnselected, "%i", &varsPortOutboundAccessPriorities[1]},
    {uiEditUnselected, "%i", &varsPortOutboundAccessPriorities[2]},
    {},
};

// "VLAN" > "802.1Q" > "Forwarding/Filtering" > "Unicast Forwarding Information" (UnicastForwardingInformation1Click)
const VarDef varsUnicastForwarding[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "Fdb Id",        synInteger,    accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.2.1.1", "FdbMacAddress", synMacAddress, accIdx, nullptr},
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "PortNumber",    synInteger,    accRO,  nullptr},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "Status",        synInteger,    accRO,  &optFdbStatus},
    {},
};
const UIEntryDef layoutUnicastForwarding[] = {
    {uiEditUnselected, "%i", &varsUnicastForwarding[0]},
    {uiEditUnselected, "%s", &varsUnicastForwarding[1]},
    {uiEditUnselected, "%i", &varsUnicastForwarding[2]},
    {uiEditUnselected, "%s", &varsUnicastForwarding[3]},
    {},
};

// "Basic Configuration" > "Save Changes" (SaveChanges1Click): written, not shown
const VarDef varsSaveChanges[] = {
    {ENT ".11.48.1.1.2.1.2.7", "Save Configure", synInteger, accRW, &optSaveConfigure},
    {},
};

} // namespace kvtables

#undef ENT
