#include "osprey_config.h"
#include "tables/optionlists.h"
#include "tables/pagetables.h"

// The maker's enterprise arc; rows write ENT ".11.36.2.6.2.1.1" for its objects.
#define ENT OSPREY_ENT_OID

namespace kvtables {

// "SNMP V3" > "SNMP Engine" (snmpEngine1Click)
const VarDef varsSnmpEngine[] = {
    {"1.3.6.1.6.3.10.2.1.1", "Engine ID",               synOctets,  accRO, nullptr},
    {"1.3.6.1.6.3.10.2.1.2", "Engine Boot Numbers",     synInteger, accRO, nullptr},
    {"1.3.6.1.6.3.10.2.1.3", "Engine Time",             synInteger, accRO, nullptr},
    {"1.3.6.1.6.3.10.2.1.4", "Engine Max Message Size", synInteger, accRO, nullptr},
    {},
};
const UIEntryDef layoutSnmpEngine[] = {
    {uiEditUnselected, "%s", &varsSnmpEngine[0]},
    {uiEditUnselected, "%s", &varsSnmpEngine[1]},
    {uiEditUnselected, "%s", &varsSnmpEngine[2]},
    {uiEditUnselected, "%s", &varsSnmpEngine[3]},
    {},
};

// "SNMP V3" > "Message Processing and Dispatching" (MessageProcessingandDispatching1Click)
const VarDef varsMessageProcessing[] = {
    {"1.3.6.1.6.3.11.2.1.1", "Unknown Security Models", synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.11.2.1.2", "Invalid Message",         synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.11.2.1.3", "Unknown PDU Handlers",    synCounter32, accRO, nullptr},
    {},
};
const UIEntryDef layoutMessageProcessing[] = {
    {uiEditUnselected, "%s", &varsMessageProcessing[0]},
    {uiEditUnselected, "%s", &varsMessageProcessing[1]},
    {uiEditUnselected, "%s", &varsMessageProcessing[2]},
    {},
};

// "SNMP V3" > "SNMP Target MIB" > "General Information" (GeneralInformation1Click)
const VarDef varsTargetGeneralInformation[] = {
    {"1.3.6.1.6.3.12.1.1", "snmpTargetSpinLock",      synInteger,   accRW, nullptr},
    {"1.3.6.1.6.3.12.1.4", "snmpUnavailableContexts", synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.12.1.5", "snmpUnknownContexts",     synCounter32, accRO, nullptr},
    {},
};
const UIEntryDef layoutTargetGeneralInformation[] = {
    {uiEdit,           "%i", &varsTargetGeneralInformation[0]},
    {uiEditUnselected, "%s", &varsTargetGeneralInformation[1]},
    {uiEditUnselected, "%s", &varsTargetGeneralInformation[2]},
    {},
};

// "SNMP V3" > "SNMP Target MIB" > "Target Address Table" (CommunityTargetAddressTableClick)
const VarDef varsTargetAddressTable[] = {
    {"1.3.6.1.6.3.12.1.2.1.1", "snmpTargetAddrName",        synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.12.1.2.1.2", "snmpTargetAddrTDomain",     synOid,           accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.3", "snmpTargetAddrTAddress",    synBits,          accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.4", "snmpTargetAddrTimeout",     synInteger,       accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.5", "snmpTargetAddrRetryCount",  synInteger,       accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.6", "snmpTargetAddrTagList",     synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.7", "snmpTargetAddrParams",      synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.2.1.8", "snmpTargetAddrStorageType", synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.12.1.2.1.9", "snmpTargetAddrRowStatus",   synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutTargetAddressTable[] = {
    {uiEditUnselected, "%s", &varsTargetAddressTable[0]},
    {uiEdit,           "%s", &varsTargetAddressTable[1]},
    {uiEdit,           "%s", &varsTargetAddressTable[2]},
    {uiEdit,           "%i", &varsTargetAddressTable[3]},
    {uiEdit,           "%i", &varsTargetAddressTable[4]},
    {uiEdit,           "%s", &varsTargetAddressTable[5]},
    {uiEdit,           "%s", &varsTargetAddressTable[6]},
    {uiCombo,          "%s", &varsTargetAddressTable[7]},
    {uiCombo,          "%s", &varsTargetAddressTable[8]},
    {},
};

// "SNMP V3" > "SNMP Target MIB" > "Target Parameters" (TargetParameters1Click)
const VarDef varsTargetParameters[] = {
    {"1.3.6.1.6.3.12.1.3.1.1", "snmpTargetParamsName",          synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.12.1.3.1.2", "snmpTargetParamsMPModel",       synInteger,       accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.3.1.3", "snmpTargetParamsSecurityModel", synInteger,       accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.3.1.4", "snmpTargetParamsSecurityName",  synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.12.1.3.1.5", "snmpTargetParamsSecurityLevel", synInteger,       accRW,         &optSecurityLevel},
    {"1.3.6.1.6.3.12.1.3.1.6", "snmpTargetParamsStorageType",   synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.12.1.3.1.7", "snmpTargetParamsRowStatus",     synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutTargetParameters[] = {
    {uiEditUnselected, "%s", &varsTargetParameters[0]},
    {uiEdit,           "%i", &varsTargetParameters[1]},
    {uiEdit,           "%i", &varsTargetParameters[2]},
    {uiEdit,           "%s", &varsTargetParameters[3]},
    {uiCombo,          "%s", &varsTargetParameters[4]},
    {uiCombo,          "%s", &varsTargetParameters[5]},
    {uiCombo,          "%s", &varsTargetParameters[6]},
    {},
};

// "SNMP V3" > "User-based Security Model" > "Statistics" (Statistics2Click)
const VarDef varsUsmStatistics[] = {
    {"1.3.6.1.6.3.15.1.1.1", "Unsupported Security Level Packets", synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.1.2", "Not InTime Window Packets",          synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.1.3", "Unknown User Name Packets",          synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.1.4", "Unknown EngineID Packets",           synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.1.5", "Wrong Digest Packets",               synCounter32, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.1.6", "Decryption Error Packets",           synCounter32, accRO, nullptr},
    {},
};
const UIEntryDef layoutUsmStatistics[] = {
    {uiEditUnselected, "%s", &varsUsmStatistics[0]},
    {uiEditUnselected, "%s", &varsUsmStatistics[1]},
    {uiEditUnselected, "%s", &varsUsmStatistics[2]},
    {uiEditUnselected, "%s", &varsUsmStatistics[3]},
    {uiEditUnselected, "%s", &varsUsmStatistics[4]},
    {uiEditUnselected, "%s", &varsUsmStatistics[5]},
    {},
};

// "SNMP V3" > "User-based Security Model" > "User Table" (UserTable1Click)
const VarDef varsUsmUserTable[] = {
    {"1.3.6.1.6.3.15.1.2.2.1.1",  "Engine ID",                     synOctets,        accRO, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.2",  "User Name",                     synDisplayString, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.3",  "Security Name",                 synDisplayString, accRO, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.4",  "Clone From",                    synOid,           accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.5",  "Authentication Protocol",       synOid,           accRW, &optUsmAuthProtocol},
    {"1.3.6.1.6.3.15.1.2.2.1.6",  "Authentication Key Change",     synDisplayString, accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.7",  "Own Authentication Key Change", synDisplayString, accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.8",  "Privacy Protocol",              synOid,           accRW, &optUsmPrivProtocol},
    {"1.3.6.1.6.3.15.1.2.2.1.9",  "Privacy Key Change",            synDisplayString, accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.10", "Own Privacy Key Change",        synDisplayString, accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.11", "Public",                        synDisplayString, accRW, nullptr},
    {"1.3.6.1.6.3.15.1.2.2.1.12", "Storage Type",                  synInteger,       accRW, &optStorageType},
    {"1.3.6.1.6.3.15.1.2.2.1.13", "Status",                        synInteger,       accRW, &optRowStatus},
    {},
};
const UIEntryDef layoutUsmUserTable[] = {
    {uiEditUnselected, "%s", &varsUsmUserTable[0]},
    {uiEditUnselected, "%s", &varsUsmUserTable[1]},
    {uiEditUnselected, "%s", &varsUsmUserTable[2]},
    {uiEdit,           "%s", &varsUsmUserTable[3]},
    {uiCombo,          "%s", &varsUsmUserTable[4]},
    {uiEdit,           "%s", &varsUsmUserTable[5]},
    {uiEdit,           "%s", &varsUsmUserTable[6]},
    {uiCombo,          "%s", &varsUsmUserTable[7]},
    {uiEdit,           "%s", &varsUsmUserTable[8]},
    {uiEdit,           "%s", &varsUsmUserTable[9]},
    {uiEdit,           "%s", &varsUsmUserTable[10]},
    {uiCombo,          "%s", &varsUsmUserTable[11]},
    {uiCombo,          "%s", &varsUsmUserTable[12]},
    {},
};

// "SNMP V3" > "View-base Access Control Mode" > "Security Group Table" (SecurityTable1Click)
const VarDef varsSecurityGroupTable[] = {
    {"1.3.6.1.6.3.16.1.2.1.1", "Security Model",              synInteger,       accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.2.1.2", "Security Name",               synDisplayString, accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.2.1.3", "Group Name",                  synDisplayString, accRW,  nullptr},
    {"1.3.6.1.6.3.16.1.2.1.4", "Security Group Storage Type", synInteger,       accRW,  &optStorageType},
    {"1.3.6.1.6.3.16.1.2.1.5", "Security Group Status",       synInteger,       accRW,  &optRowStatus},
    {},
};
const UIEntryDef layoutSecurityGroupTable[] = {
    {uiEditUnselected, "%s", &varsSecurityGroupTable[0]},
    {uiEditUnselected, "%s", &varsSecurityGroupTable[1]},
    {uiEdit,           "%s", &varsSecurityGroupTable[2]},
    {uiCombo,          "%s", &varsSecurityGroupTable[3]},
    {uiCombo,          "%s", &varsSecurityGroupTable[4]},
    {},
};

// "SNMP V3" > "View-base Access Control Mode" > "Access Table" (AccessTable1Click)
const VarDef varsVacmAccessTable[] = {
    {"1.3.6.1.6.3.16.1.2.1.3", "Group Name",              synDisplayString, accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.4.1.1", "Access Context Prefix",   synDisplayString, accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.4.1.2", "Access Security Model",   synInteger,       accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.4.1.3", "Access Security Level",   synInteger,       accIdx, &optSecurityLevel},
    {"1.3.6.1.6.3.16.1.4.1.4", "Access Context Match",    synInteger,       accRW,  &optContextMatch},
    {"1.3.6.1.6.3.16.1.4.1.5", "Access Read View Name",   synDisplayString, accRW,  nullptr},
    {"1.3.6.1.6.3.16.1.4.1.6", "Access Write View Name",  synDisplayString, accRW,  nullptr},
    {"1.3.6.1.6.3.16.1.4.1.7", "Access Notify View Name", synDisplayString, accRW,  nullptr},
    {"1.3.6.1.6.3.16.1.4.1.8", "Access Storage Type",     synInteger,       accRW,  &optStorageType},
    {"1.3.6.1.6.3.16.1.4.1.9", "Access Status",           synInteger,       accRW,  &optRowStatus},
    {},
};
const UIEntryDef layoutVacmAccessTable[] = {
    {uiEditUnselected, "%s", &varsVacmAccessTable[0]},
    {uiEditUnselected, "%s", &varsVacmAccessTable[1]},
    {uiEditUnselected, "%s", &varsVacmAccessTable[2]},
    {uiCombo,          "%s", &varsVacmAccessTable[3]},
    {uiCombo,          "%s", &varsVacmAccessTable[4]},
    {uiEdit,           "%s", &varsVacmAccessTable[5]},
    {uiEdit,           "%s", &varsVacmAccessTable[6]},
    {uiEdit,           "%s", &varsVacmAccessTable[7]},
    {uiCombo,          "%s", &varsVacmAccessTable[8]},
    {uiCombo,          "%s", &varsVacmAccessTable[9]},
    {},
};

// "SNMP V3" > "View-base Access Control Mode" > "View MIB Tree Family Table" (ViewTable1Click)
const VarDef varsViewTreeFamilyTable[] = {
    {"1.3.6.1.6.3.16.1.5.2.1.1", "vacmViewTreeFamilyViewName",    synDisplayString, accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.5.2.1.2", "vacmViewTreeFamilySubtree",     synOid,           accIdx, nullptr},
    {"1.3.6.1.6.3.16.1.5.2.1.3", "vacmViewTreeFamilyMask",        synDisplayString, accRW,  nullptr},
    {"1.3.6.1.6.3.16.1.5.2.1.4", "vacmViewTreeFamilyType",        synInteger,       accRW,  &optIncludedExcluded},
    {"1.3.6.1.6.3.16.1.5.2.1.5", "vacmViewTreeFamilyStorageType", synInteger,       accRW,  &optStorageType},
    {"1.3.6.1.6.3.16.1.5.2.1.6", "vacmViewTreeFamilyStatus",      synInteger,       accRW,  &optRowStatus},
    {},
};
const UIEntryDef layoutViewTreeFamilyTable[] = {
    {uiEditUnselected, "%s", &varsViewTreeFamilyTable[0]},
    {uiEditUnselected, "%s", &varsViewTreeFamilyTable[1]},
    {uiEdit,           "%s", &varsViewTreeFamilyTable[2]},
    {uiCombo,          "%s", &varsViewTreeFamilyTable[3]},
    {uiCombo,          "%s", &varsViewTreeFamilyTable[4]},
    {uiCombo,          "%s", &varsViewTreeFamilyTable[5]},
    {},
};

// "SNMP V3" > "Notifications" > "Notify Table" (NotifyTable1Click)
const VarDef varsNotifyTable[] = {
    {"1.3.6.1.6.3.13.1.1.1.1", "Name",         synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.13.1.1.1.2", "Tag",          synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.13.1.1.1.3", "Type",         synInteger,       accRW,         &optNotifyType},
    {"1.3.6.1.6.3.13.1.1.1.4", "Storage Type", synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.13.1.1.1.5", "Row Status",   synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutNotifyTable[] = {
    {uiEditUnselected, "%s", &varsNotifyTable[0]},
    {uiEdit,           "%s", &varsNotifyTable[1]},
    {uiCombo,          "%s", &varsNotifyTable[2]},
    {uiCombo,          "%s", &varsNotifyTable[3]},
    {uiCombo,          "%s", &varsNotifyTable[4]},
    {},
};

// "SNMP V3" > "Notifications" > "Notify Filter Profile Table" (NotifyFilterProfileTale1Click)
const VarDef varsNotifyFilterProfileTable[] = {
    {"1.3.6.1.6.3.12.1.3.1.1", "Target Params Name",               synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.13.1.2.1.1", "Notify Filter Profile Name",       synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.13.1.2.1.2", "Notify Filter Profile Stor Type",  synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.13.1.2.1.3", "Notify Filter Profile Row Status", synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutNotifyFilterProfileTable[] = {
    {uiEditUnselected, "%s", &varsNotifyFilterProfileTable[0]},
    {uiEdit,           "%s", &varsNotifyFilterProfileTable[1]},
    {uiCombo,          "%s", &varsNotifyFilterProfileTable[2]},
    {uiCombo,          "%s", &varsNotifyFilterProfileTable[3]},
    {},
};

// "SNMP V3" > "Notifications" > "Notify Filter Entry Table" (NotifyFilterEntryTable1Click)
const VarDef varsNotifyFilterTable[] = {
    {"1.3.6.1.6.3.13.1.2.1.1", "Notify Filter Profile Name", synDisplayString, accIdx,        nullptr},
    {"1.3.6.1.6.3.13.1.3.1.1", "Notify Filter Subtree",      synOid,           accIdxImplied, nullptr},
    {"1.3.6.1.6.3.13.1.3.1.2", "Notify Filter Mask",         synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.13.1.3.1.3", "Notify Filter Type",         synInteger,       accRW,         &optIncludedExcluded},
    {"1.3.6.1.6.3.13.1.3.1.4", "Notify Filter Storage Type", synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.13.1.3.1.5", "Notify Filter Row Status",   synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutNotifyFilterTable[] = {
    {uiEditUnselected, "%s", &varsNotifyFilterTable[0]},
    {uiEditUnselected, "%s", &varsNotifyFilterTable[1]},
    {uiEdit,           "%s", &varsNotifyFilterTable[2]},
    {uiCombo,          "%s", &varsNotifyFilterTable[3]},
    {uiCombo,          "%s", &varsNotifyFilterTable[4]},
    {uiCombo,          "%s", &varsNotifyFilterTable[5]},
    {},
};

// "SNMP V3" > "Community" > "Community String Table" (CommunityStringTable1Click)
const VarDef varsCommunityTable[] = {
    {"1.3.6.1.6.3.18.1.1.1.1", "Index",             synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.18.1.1.1.2", "Name",              synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.1.1.3", "Security Name",     synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.1.1.4", "Context Engine ID", synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.1.1.5", "Context Name",      synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.1.1.6", "Transport Tag",     synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.1.1.7", "Storage Type",      synInteger,       accRW,         &optStorageType},
    {"1.3.6.1.6.3.18.1.1.1.8", "Status",            synInteger,       accRW,         &optRowStatus},
    {},
};
const UIEntryDef layoutCommunityTable[] = {
    {uiEditUnselected, "%s", &varsCommunityTable[0]},
    {uiEdit,           "%s", &varsCommunityTable[1]},
    {uiEdit,           "%s", &varsCommunityTable[2]},
    {uiEdit,           "%s", &varsCommunityTable[3]},
    {uiEdit,           "%s", &varsCommunityTable[4]},
    {uiEdit,           "%s", &varsCommunityTable[5]},
    {uiCombo,          "%s", &varsCommunityTable[6]},
    {uiCombo,          "%s", &varsCommunityTable[7]},
    {},
};

// "SNMP V3" > "Community" > "Target Address Table" (TargetAddressTable1Click)
const VarDef varsCommunityTargetAddressTable[] = {
    {"1.3.6.1.6.3.12.1.2.1.1", "Target Addr Name",  synDisplayString, accIdxImplied, nullptr},
    {"1.3.6.1.6.3.18.1.2.1.1", "Target Addr TMask", synDisplayString, accRW,         nullptr},
    {"1.3.6.1.6.3.18.1.2.1.2", "Target Addr MMS",   synInteger,       accRW,         nullptr},
    {},
};
const UIEntryDef layoutCommunityTargetAddressTable[] = {
    {uiEditUnselected, "%s", &varsCommunityTargetAddressTable[0]},
    {uiEdit,           "%s", &varsCommunityTargetAddressTable[1]},
    {uiEdit,           "%s", &varsCommunityTargetAddressTable[2]},
    {},
};

} // namespace kvtables

#undef ENT
