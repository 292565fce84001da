#include "osprey_config.h"
#include "tables/optionlists.h"
#include "tables/pagetables.h"

// The maker's enterprise arc; rows write ENT ".11.36.2.6.2.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvtables {

// "Layer 2 Management" > "Layer2 Control" (DeviceControl1Click)
const VarDef varsDeviceControl[] = {
    {ENT ".11.36.2.5.2.1", "System Reboot State",           synInteger,   accRW, &optSystemRebootState},
    {ENT ".11.36.2.5.2.2", "System IP",                     synIpAddress, accRW, nullptr},
    {ENT ".11.36.2.5.2.3", "Subnet Mask",                   synIpAddress, accRW, nullptr},
    {ENT ".11.36.2.5.2.4", "Default Gateway",               synIpAddress, accRW, nullptr},
    {ENT ".11.36.2.5.2.5", "Management VLan Id",            synInteger,   accRW, nullptr},
    {ENT ".11.36.2.5.2.6", "Spanning Tree Algorithm State", synInteger,   accRW, &optOtherDisabledEnabled},
    {ENT ".11.36.2.5.2.7", "IGMP Snooping State",           synInteger,   accRW, &optOtherDisabledEnabled},
    {},
};
const UIEntryDef layoutDeviceControl[] = {
    {uiCombo, "%s", &varsDeviceControl[0]},
    {uiEdit,  "%s", &varsDeviceControl[1]},
    {uiEdit,  "%s", &varsDeviceControl[2]},
    {uiEdit,  "%s", &varsDeviceControl[3]},
    {uiEdit,  "%i", &varsDeviceControl[4]},
    {uiCombo, "%s", &varsDeviceControl[5]},
    {uiCombo, "%s", &varsDeviceControl[6]},
    {},
};

// "Layer 2 Management" > "QoS Management" > "Bandwidth Control Table" (BandwidthControlTable1Click)
const VarDef varsBandwidthControl[] = {
    {ENT ".11.55.1.2.6.1.1.1", "Port Index",    synInteger, accIdx, nullptr},
    {ENT ".11.55.1.2.6.1.1.2", "Receive Rate",  synInteger, accRW,  nullptr},
    {ENT ".11.55.1.2.6.1.1.3", "Transmit Rate", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutBandwidthControl[] = {
    {uiEditUnselected, "%s",          &varsBandwidthControl[0]},
    {uiEdit,           "%i{n0x1000}", &varsBandwidthControl[1]},
    {uiEdit,           "%i{n0x1000}", &varsBandwidthControl[2]},
    {},
};

// "Layer 2 Management" > "QoS Management" > "SchedulingTable" (SchedulingTable1Click)
const VarDef varsScheduling[] = {
    {ENT ".11.55.1.2.6.2.1.1", "Class Index",          synInteger, accIdx, nullptr},
    {ENT ".11.55.1.2.6.2.1.2", "Scheduling Mechanism", synInteger, accRO,  &optSchedulingMechanism},
    {},
};
const UIEntryDef layoutScheduling[] = {
    {uiEditUnselected, "%s", &varsScheduling[0]},
    {uiEdit,           "%s", &varsScheduling[1]},
    {},
};

// "Layer 2 Management" > "QoS Management" > "802.1p User Priority Table" (N8021pUserPriorityTable1Click)
const VarDef varsUserPriority8021p[] = {
    {ENT ".11.55.1.2.6.3.1.1", "User Priority Index",       synInteger, accIdx, nullptr},
    {ENT ".11.55.1.2.6.3.1.2", "8021p User Priority Class", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutUserPriority8021p[] = {
    {uiEditUnselected, "%s",       &varsUserPriority8021p[0]},
    {uiEdit,           "%i{n0x7}", &varsUserPriority8021p[1]},
    {},
};

// "Layer 2 Management" > "QoS Management" > "802.1p Default Priority Table" (N8021pDefaultPriorityTable1Click)
const VarDef varsDefaultPriority8021p[] = {
    {ENT ".11.55.1.2.6.4.1.1", "Priority Index",         synInteger, accIdx, nullptr},
    {ENT ".11.55.1.2.6.4.1.2", "8021p Default Priority", synInteger, accRW,  nullptr},
    {},
};
const UIEntryDef layoutDefaultPriority8021p[] = {
    {uiEditUnselected, "%s",       &varsDefaultPriority8021p[0]},
    {uiEdit,           "%i{n0x7}", &varsDefaultPriority8021p[1]},
    {},
};

// "Layer 2 Management" > "IGMP Basic Information" (IGMPBasicInformation1Click)
const VarDef varsIgmpBasicInformation[] = {
    {ENT ".12.2.3.1", "IGMP Max Supported Vlans",       synInteger, accRO, nullptr},
    {ENT ".12.2.3.2", "IGMP Max Ip Group Num Per Vlan", synInteger, accRO, nullptr},
    {},
};

// "Layer 2 Management" > "IGMP Control Table" (IGMPControlTable1Click)
const VarDef varsIgmpControl[] = {
    {ENT ".12.2.3.3.1.1",  "IGMPCtrl VLan id",           synInteger, accIdx, nullptr},
    {ENT ".12.2.3.3.1.2",  "Query Interval",             synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.3",  "Max Response Time",          synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.4",  "Robustness",                 synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.5",  "Last Member Query Interval", synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.6",  "Host Timeout",               synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.7",  "Route Timeout",              synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.8",  "Leave Timer",                synInteger, accRW,  nullptr},
    {ENT ".12.2.3.3.1.9",  "Query State",                synInteger, accRW,  &optOtherDisabledEnabled},
    {ENT ".12.2.3.3.1.10", "IGMP Current State",         synInteger, accRO,  &optIgmpCurrentState},
    {ENT ".12.2.3.3.1.11", "Ctrl State",                 synInteger, accRW,  &optOtherDisableEnable},
    {},
};
const UIEntryDef layoutIgmpControl[] = {
    {uiEditUnselected, "%i", &varsIgmpControl[0]},
    {uiEdit,           "%i", &varsIgmpControl[1]},
    {uiEdit,           "%i", &varsIgmpControl[2]},
    {uiEdit,           "%i", &varsIgmpControl[3]},
    {uiEdit,           "%i", &varsIgmpControl[4]},
    {uiEdit,           "%i", &varsIgmpControl[5]},
    {uiEdit,           "%i", &varsIgmpControl[6]},
    {uiEdit,           "%i", &varsIgmpControl[7]},
    {uiCombo,          "%s", &varsIgmpControl[8]},
    {uiEditUnselected, "%s", &varsIgmpControl[9]},
    {uiCombo,          "%s", &varsIgmpControl[10]},
    {},
};

// "Layer 2 Management" > "IGMP Query Information" (IGMPQuery1Click)
const VarDef varsIgmpQuery[] = {
    {ENT ".12.2.3.5.1.1", "Vid",            synInteger, accRO, nullptr},
    {ENT ".12.2.3.5.1.2", "Query Count",    synInteger, accRO, nullptr},
    {ENT ".12.2.3.5.1.3", "Tx Query Count", synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutIgmpQuery[] = {
    {uiEditUnselected, "%s", &varsIgmpQuery[0]},
    {uiEditUnselected, "%s", &varsIgmpQuery[1]},
    {uiEditUnselected, "%s", &varsIgmpQuery[2]},
    {},
};

// "Layer 2 Management" > "IGMP Information " (IGMPInformation1Click)
const VarDef varsIgmpInformation[] = {
    {ENT ".12.2.3.7.1.1", "Vid",                   synInteger,    accRO, nullptr},
    {ENT ".12.2.3.7.1.2", "Group IP Address",      synIpAddress,  accRO, nullptr},
    {ENT ".12.2.3.7.1.3", "MAC Address",           synMacAddress, accRO, nullptr},
    {ENT ".12.2.3.7.1.4", "Port Map",              synOctets,     accRO, nullptr},
    {ENT ".12.2.3.7.1.5", "IP Group Report Count", synInteger,    accRO, nullptr},
    {},
};
const UIEntryDef layoutIgmpInformation[] = {
    {uiEditUnselected, "%s", &varsIgmpInformation[0]},
    {uiEditUnselected, "%s", &varsIgmpInformation[1]},
    {uiEditUnselected, "%s", &varsIgmpInformation[2]},
    {uiEditUnselected, "%s", &varsIgmpInformation[3]},
    {uiEditUnselected, "%s", &varsIgmpInformation[4]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Information Table" (PortInformation1Click)
const VarDef varsPortInformation[] = {
    {ENT ".11.36.2.6.1.1.1", "Port Index",  synInteger, accIdx, nullptr},
    {ENT ".11.36.2.6.1.1.4", "Link Status", synInteger, accRO,  &optLinkStatus},
    {ENT ".11.36.2.6.1.1.5", "Nway Status", synInteger, accRO,  &optNwayStatus},
    {},
};
const UIEntryDef layoutPortInformation[] = {
    {uiEdit,           "%i", &varsPortInformation[0]},
    {uiEditUnselected, "%s", &varsPortInformation[1]},
    {uiEditUnselected, "%s", &varsPortInformation[2]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Control Table" (PortControl1Click)
const VarDef varsPortControl[] = {
    {ENT ".11.36.2.6.2.1.1", "Port Index",           synInteger, accIdx, nullptr},
    {ENT ".11.36.2.6.2.1.2", "Administration State", synInteger, accRW,  &optOtherDisabledEnabled},
    {ENT ".11.36.2.6.2.1.3", "Nway State",           synInteger, accRW,  &optNwayState},
    {ENT ".11.36.2.6.2.1.4", "Flow Control State",   synInteger, accRW,  &optOtherDisabledEnabled},
    {},
};
const UIEntryDef layoutPortControl[] = {
    {uiEditUnselected, "%i", &varsPortControl[0]},
    {uiCombo,          "%s", &varsPortControl[1]},
    {uiCombo,          "%s", &varsPortControl[2]},
    {uiCombo,          "%s", &varsPortControl[3]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Trunk Basic Information" (TrunkBasicInformation1Click)
const VarDef varsTrunkInformation[] = {
    {ENT ".12.2.1.1", "Trunk Max Supported Entries", synInteger, accRO, nullptr},
    {ENT ".12.2.1.2", "Max Ports In Port Trunk",     synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutTrunkInformation[] = {
    {uiEditUnselected, "%i", &varsTrunkInformation[0]},
    {uiEditUnselected, "%i", &varsTrunkInformation[1]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Security Table" (hidden) (PortSecurity1Click)
const VarDef varsPortSecurity[] = {
    {ENT ".11.55.1.2.7.1.1.1", "Port Index",        synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.7.1.1.2", "Max Learn Address", synInteger, accRW, nullptr},
    {ENT ".11.55.1.2.7.1.1.3", "Security Mode",     synInteger, accRW, &optPortSecurityMode},
    {ENT ".11.55.1.2.7.1.1.4", "Admin State",       synInteger, accRW, &optEnableDisable23},
    {},
};
const UIEntryDef layoutPortSecurity[] = {
    {uiEditUnselected, "%s", &varsPortSecurity[0]},
    {uiEdit,           "%i", &varsPortSecurity[1]},
    {uiCombo,          "%s", &varsPortSecurity[2]},
    {uiCombo,          "%s", &varsPortSecurity[3]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Rate table" (PortRatetable1Click)
const VarDef varsPortRate[] = {
    {ENT ".12.2.4.1.1.1", "Port Rate Index",        synInteger, accIdx, nullptr},
    {ENT ".12.2.4.1.1.2", "Port Rate Ingress Rate", synInteger, accRW,  nullptr},
    {ENT ".12.2.4.1.1.3", "Port Rate EgressRate",   synInteger, accRW,  nullptr},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Binding Management" > "Basic Information" (BasicInformation1Click)
const VarDef varsPortBindingBasicInformation[] = {
    {ENT ".12.2.5.1", "Binding Status",           synInteger, accRW, &optOtherDisabledEnabled},
    {ENT ".12.2.5.3", "Port binding Max Entries", synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutPortBindingBasicInformation[] = {
    {uiCombo,          "%s", &varsPortBindingBasicInformation[0]},
    {uiEditUnselected, "%i", &varsPortBindingBasicInformation[1]},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Binding Management" > "Binding Ctrl Table" (PortBindingTable1Click)
const VarDef varsPortBindingCtrl[] = {
    {ENT ".12.2.5.2.1.1", "Index",  synInteger, accIdx, nullptr},
    {ENT ".12.2.5.2.1.2", "Status", synInteger, accRW,  &optOtherDisabledEnabled},
    {},
};

// "Layer 2 Management" > "Port Management" > "Port Binding Management" > "Binding Information Table" (PortBindingInformationTable1Click)
const VarDef varsPortBindingInformation[] = {
    {ENT ".12.2.5.4.1.1", "Port Number", synInteger,    accIdx, nullptr},
    {ENT ".12.2.5.4.1.2", "Index",       synInteger,    accIdx, nullptr},
    {ENT ".12.2.5.4.1.3", "Mac Address", synMacAddress, accRW,  nullptr},
    {ENT ".12.2.5.4.1.4", "Status",      synInteger,    accRW,  &optRowStatus},
    {},
};

// "Layer 2 Management" > "Traffic Control Table" (hidden) (StormTrafficControlTable1Click)
const VarDef varsTrafficControl[] = {
    {ENT ".11.55.1.2.13.1.1.1", "Group Index",                                synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.13.1.1.2", "Unit Index",                                 synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.13.1.1.3", "Broadcast/Multicast Strom Threshold[0-255]", synInteger, accRW, nullptr},
    {ENT ".11.55.1.2.13.1.1.4", "Broadcast Strom Control",                    synInteger, accRW, &optDisabledEnabled},
    {ENT ".11.55.1.2.13.1.1.5", "Multicast Strom Control",                    synInteger, accRW, &optDisabledEnabled},
    {ENT ".11.55.1.2.13.1.1.6", "Destination Lookup Fail Control",            synInteger, accRW, &optDisabledEnabled},
    {},
};
const UIEntryDef layoutTrafficControl[] = {
    {uiEditUnselected, "%s",         &varsTrafficControl[0]},
    {uiEditUnselected, "%s",         &varsTrafficControl[1]},
    {uiEdit,           "%i{n0x255}", &varsTrafficControl[2]},
    {uiCombo,          "%s",         &varsTrafficControl[3]},
    {uiCombo,          "%s",         &varsTrafficControl[4]},
    {uiCombo,          "%s",         &varsTrafficControl[5]},
    {},
};

// "Layer 2 Management" > "Access Control Information" > "Ethernet Mask Information" (EthernetMask1Click)
const VarDef varsEthernetMask[] = {
    {ENT ".11.5.1.1.1.1", "Ethernet MASk ID ",            synInteger,    accRO, nullptr},
    {ENT ".11.5.1.1.1.2", "Use Vlan",                     synInteger,    accRW, &optEnabledDisabled},
    {ENT ".11.5.1.1.1.3", "Mac Address Mask State",       synInteger,    accRW, &optMacMaskState},
    {ENT ".11.5.1.1.1.4", "Mac Address Mask Sourcc",      synMacAddress, accRW, nullptr},
    {ENT ".11.5.1.1.1.5", "Mac Address Mask Destination", synMacAddress, accRW, nullptr},
    {ENT ".11.5.1.1.1.6", "Use 8021p",                    synInteger,    accRW, &optEnabledDisabled},
    {ENT ".11.5.1.1.1.7", "Use Ethernet Type",            synInteger,    accRW, &optEnabledDisabled},
    {ENT ".11.5.1.1.1.8", "Permit",                       synInteger,    accRW, &optPermitDeny},
    {ENT ".11.5.1.1.1.9", "Row Status",                   synInteger,    accRW, &optRowStatus},
    {},
};
const UIEntryDef layoutEthernetMask[] = {
    {uiEditUnselected, "%i{n1x255}", &varsEthernetMask[0]},
    {uiCombo,          "%s",         &varsEthernetMask[1]},
    {uiCombo,          "%s",         &varsEthernetMask[2]},
    {uiEdit,           "%s{l12}",    &varsEthernetMask[3]},
    {uiEdit,           "%s{l12}",    &varsEthernetMask[4]},
    {uiCombo,          "%s",         &varsEthernetMask[5]},
    {uiCombo,          "%s",         &varsEthernetMask[6]},
    {uiCombo,          "%s",         &varsEthernetMask[7]},
    {uiCombo,          "%s",         &varsEthernetMask[8]},
    {},
};

// "Layer 2 Management" > "Access Control Information" > "Ethernet Information Rule" (RuleOfEthernetInformation1Click)
const VarDef varsEthernetRule[] = {
    {ENT ".11.5.2.1.1.1",  "Mask ID",                       synInteger,       accIdx, nullptr},
    {ENT ".11.5.2.1.1.2",  "Access ID",                     synInteger,       accIdx, nullptr},
    {ENT ".11.5.2.1.1.3",  "Rule Vlan",                     synDisplayString, accRW,  nullptr},
    {ENT ".11.5.2.1.1.4",  "Rule Source Mac Address",       synMacAddress,    accRW,  nullptr},
    {ENT ".11.5.2.1.1.5",  "Rule Destination MacAddress",   synMacAddress,    accRW,  nullptr},
    {ENT ".11.5.2.1.1.6",  "Rule 8021P",                    synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.1.1.7",  "Rule Ethernet Type",            synOctets,        accRW,  nullptr},
    {ENT ".11.5.2.1.1.8",  "Rule Enable Priority",          synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.1.1.9",  "Rule Priority",                 synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.1.1.10", "Rule Replace Priority",         synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.1.1.11", "Enable ReplaceDscp",            synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.1.1.12", "Rule Value in Type-Of-service", synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.1.1.13", "RowStatus",                     synInteger,       accRW,  &optRowStatus},
    {},
};
const UIEntryDef layoutEthernetRule[] = {
    {uiEditUnselected, "%i{n1x255}", &varsEthernetRule[0]},
    {uiEditUnselected, "%i{n1x255}", &varsEthernetRule[1]},
    {uiEdit,           "%s",         &varsEthernetRule[2]},
    {uiEdit,           "%s{l12}",    &varsEthernetRule[3]},
    {uiEdit,           "%s{l12}",    &varsEthernetRule[4]},
    {uiEdit,           "%i",         &varsEthernetRule[5]},
    {uiEdit,           "%s",         &varsEthernetRule[6]},
    {uiCombo,          "%i",         &varsEthernetRule[7]},
    {uiEdit,           "%i",         &varsEthernetRule[8]},
    {uiCombo,          "%i",         &varsEthernetRule[9]},
    {uiCombo,          "%i",         &varsEthernetRule[10]},
    {uiEdit,           "%i",         &varsEthernetRule[11]},
    {uiCombo,          "%s",         &varsEthernetRule[12]},
    {},
};

// "Layer 2 Management" > "Access Control Information" > "IP Mask Information" (IPMaskInformation1Click)
const VarDef varsIpMask[] = {
    {ENT ".11.5.1.2.1.1",  "IP ID",                            synInteger,       accRO, nullptr},
    {ENT ".11.5.1.2.1.2",  "Use Vlan",                         synInteger,       accRW, &optEnabledDisabled},
    {ENT ".11.5.1.2.1.3",  "Ip Address Mask State",            synInteger,       accRW, &optIpMaskState},
    {ENT ".11.5.1.2.1.4",  "Ip Address Mask Source",           synIpAddress,     accRW, nullptr},
    {ENT ".11.5.1.2.1.5",  "Ip Address Mask Destination",      synIpAddress,     accRW, nullptr},
    {ENT ".11.5.1.2.1.6",  "Use DSCP",                         synInteger,       accRW, &optEnabledDisabled},
    {ENT ".11.5.1.2.1.7",  "Use Protocol Type",                synInteger,       accRW, &optProtocolType},
    {ENT ".11.5.1.2.1.8",  "ICMP Option",                      synInteger,       accRW, &optIcmpOption},
    {ENT ".11.5.1.2.1.9",  "IGMP Option",                      synInteger,       accRW, &optEnableDisable},
    {ENT ".11.5.1.2.1.10", "TCP Option",                       synInteger,       accRW, &optPortMaskOption},
    {ENT ".11.5.1.2.1.11", "UDP Option",                       synInteger,       accRW, &optPortMaskOption},
    {ENT ".11.5.1.2.1.12", "TCP or UDP Srouce Port Mask",      synDisplayString, accRW, nullptr},
    {ENT ".11.5.1.2.1.13", "TCP or UDP Destination Port Mask", synDisplayString, accRW, nullptr},
    {ENT ".11.5.1.2.1.14", "Protocol ID Option",               synInteger,       accRW, &optEnableDisable},
    {ENT ".11.5.1.2.1.15", "Protocol ID Mask",                 synDisplayString, accRW, nullptr},
    {ENT ".11.5.1.2.1.16", "Ip Permit",                        synInteger,       accRW, &optDenyPermit},
    {ENT ".11.5.1.2.1.17", "Row Status",                       synInteger,       accRW, &optRowStatus},
    {},
};
const UIEntryDef layoutIpMask[] = {
    {uiEditUnselected, "%i{n1x255}", &varsIpMask[0]},
    {uiCombo,          "%s",         &varsIpMask[1]},
    {uiCombo,          "%s",         &varsIpMask[2]},
    {uiEdit,           "%s",         &varsIpMask[3]},
    {uiEdit,           "%s",         &varsIpMask[4]},
    {uiCombo,          "%i",         &varsIpMask[5]},
    {uiCombo,          "%s",         &varsIpMask[6]},
    {uiCombo,          "%s",         &varsIpMask[7]},
    {uiCombo,          "%s",         &varsIpMask[8]},
    {uiCombo,          "%s",         &varsIpMask[9]},
    {uiCombo,          "%s",         &varsIpMask[10]},
    {uiEdit,           "%s",         &varsIpMask[11]},
    {uiEdit,           "%s",         &varsIpMask[12]},
    {uiCombo,          "%s",         &varsIpMask[13]},
    {uiEdit,           "%s",         &varsIpMask[14]},
    {uiCombo,          "%s",         &varsIpMask[15]},
    {uiCombo,          "%s",         &varsIpMask[16]},
    {},
};

// "Layer 2 Management" > "Access Control Information" > "IP Rule" (IPRule1Click)
const VarDef varsIpRule[] = {
    {ENT ".11.5.2.2.1.1",  "IP Rule ID",             synInteger,       accIdx, nullptr},
    {ENT ".11.5.2.2.1.2",  "IP Rule Access ID",      synInteger,       accIdx, nullptr},
    {ENT ".11.5.2.2.1.3",  "Apply Vlan",             synDisplayString, accRW,  nullptr},
    {ENT ".11.5.2.2.1.4",  "Sourcr IP Address",      synIpAddress,     accRW,  nullptr},
    {ENT ".11.5.2.2.1.5",  "Destination IP address", synIpAddress,     accRW,  nullptr},
    {ENT ".11.5.2.2.1.6",  "Dscp",                   synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.7",  "Rule Protocol",          synInteger,       accRO,  &optProtocolType},
    {ENT ".11.5.2.2.1.8",  "Rule Type",              synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.9",  "Rule Code",              synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.10", "Source Port",            synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.11", "Destination Port",       synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.12", "Protocol ID",            synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.13", "User Mask",              synDisplayString, accRW,  nullptr},
    {ENT ".11.5.2.2.1.14", "Enable Priority",        synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.2.1.15", "Priority",               synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.16", "Replace Priority",       synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.2.1.17", "Enable Replace Dscp",    synInteger,       accRW,  &optEnabledDisabled},
    {ENT ".11.5.2.2.1.18", "Dscp Value",             synInteger,       accRW,  nullptr},
    {ENT ".11.5.2.2.1.19", "RowStatus",              synInteger,       accRW,  &optRowStatus},
    {},
};
const UIEntryDef layoutIpRule[] = {
    {uiEditUnselected, "%i{n1x255}", &varsIpRule[0]},
    {uiEditUnselected, "%i{n1x255}", &varsIpRule[1]},
    {uiEdit,           "%s",         &varsIpRule[2]},
    {uiEdit,           "%s{l15}",    &varsIpRule[3]},  // room for a whole dotted address
    {uiEdit,           "%s{l15}",    &varsIpRule[4]},
    {uiEdit,           "%i",         &varsIpRule[5]},
    {uiEditUnselected, "%s",         &varsIpRule[6]},
    {uiEdit,           "%s",         &varsIpRule[7]},
    {uiEdit,           "%i",         &varsIpRule[8]},
    {uiEdit,           "%i",         &varsIpRule[9]},
    {uiEdit,           "%i",         &varsIpRule[10]},
    {uiEdit,           "%i",         &varsIpRule[11]},
    {uiEdit,           "%s",         &varsIpRule[12]},
    {uiCombo,          "%s",         &varsIpRule[13]},
    {uiEdit,           "%i",         &varsIpRule[14]},
    {uiCombo,          "%s",         &varsIpRule[15]},
    {uiCombo,          "%s",         &varsIpRule[16]},
    {uiEdit,           "%i",         &varsIpRule[17]},
    {uiCombo,          "%s",         &varsIpRule[18]},
    {},
};

// "Layer 2 Management" > "802.3 ad" > "Aggregator Table" (AggregatorTable1Click)
const VarDef varsAggregatorTable[] = {
    {ENT ".12.4.1.1.1.1.1",  "Index",                         synInteger,    accIdx, nullptr},
    {ENT ".12.4.1.1.1.1.2",  "MACAddress",                    synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.3",  "Actor System Priority",         synInteger,    accRW,  nullptr},
    {ENT ".12.4.1.1.1.1.4",  "Actor System ID",               synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.5",  "Aggregate Or Individual",       synInteger,    accRO,  &optTrueFalse},
    {ENT ".12.4.1.1.1.1.6",  "Actor Admin value Key",         synInteger,    accRW,  nullptr},
    {ENT ".12.4.1.1.1.1.7",  "Actor Operational Value Key",   synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.8",  "Partner System ID",             synMacAddress, accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.9",  "Partner System Priority",       synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.10", "Partner Operational Value Key", synInteger,    accRO,  nullptr},
    {ENT ".12.4.1.1.1.1.11", "Collector Max Delay",           synInteger,    accRW,  nullptr},
    {},
};
const UIEntryDef layoutAggregatorTable[] = {
    {uiEditUnselected, "%i", &varsAggregatorTable[0]},
    {uiEditUnselected, "%s", &varsAggregatorTable[1]},
    {uiEdit,           "%i", &varsAggregatorTable[2]},
    {uiEditUnselected, "%s", &varsAggregatorTable[3]},
    {uiEditUnselected, "%s", &varsAggregatorTable[4]},
    {uiEdit,           "%i", &varsAggregatorTable[5]},
    {uiEditUnselected, "%i", &varsAggregatorTable[6]},
    {uiEditUnselected, "%s", &varsAggregatorTable[7]},
    {uiEditUnselected, "%i", &varsAggregatorTable[8]},
    {uiEditUnselected, "%i", &varsAggregatorTable[9]},
    {uiEdit,           "%i", &varsAggregatorTable[10]},
    {},
};

// "Help" > "Test" (hidden) (TestClick)
const VarDef varsTestPortInformation[] = {
    {ENT ".11.55.1.2.3.1.1.1", "Index",       synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.3.1.1.2", "Unit Index",  synInteger, accRO, nullptr},
    {ENT ".11.55.1.2.3.1.1.3", "Port Type",   synInteger, accRO, &optPortType},
    {ENT ".11.55.1.2.3.1.1.4", "Link Status", synInteger, accRO, &optLinkPassFail},
    {ENT ".11.55.1.2.3.1.1.5", "Nway Status", synInteger, accRO, &optPortNwayStatus},
    {ENT ".11.55.1.2.3.1.1.6", "Module Type", synInteger, accRO, &optModuleType},
    {},
};
const UIEntryDef layoutTestPortInformation[] = {
    {uiEditUnselected, "%s", &varsTestPortInformation[0]},
    {uiEditUnselected, "%s", &varsTestPortInformation[1]},
    {uiEditUnselected, "%s", &varsTestPortInformation[2]},
    {uiEditUnselected, "%s", &varsTestPortInformation[3]},
    {uiEditUnselected, "%s", &varsTestPortInformation[4]},
    {uiEditUnselected, "%s", &varsTestPortInformation[5]},
    {},
};

} // namespace kvtables

#undef ENT
