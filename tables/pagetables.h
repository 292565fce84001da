#pragma once
#include "pages/uientrydef.h"
#include "snmp/vardef.h"

// The variable tables and page layout tables of the generic pages, in menu
// order. A variable table ends with a row whose oid is null, a layout table
// with a row whose variable is null. Pages built from a variable list alone
// (the "FromList" builders) have no layout table.
//
// Object identifiers under the maker's enterprise arc are built from the
// enterprise number chosen at configuration time (osprey_config.h).
namespace kvtables {

// Basic Configuration, RMON, Bridge and VLAN menus
extern const VarDef varsDeviceInformation[];            extern const UIEntryDef layoutDeviceInformation[];
extern const VarDef varsAlarmControl[];                 extern const UIEntryDef layoutAlarmControl[];
extern const VarDef varsUnitTable[];                    extern const UIEntryDef layoutUnitTable[];
extern const VarDef varsPowerTable[];                   extern const UIEntryDef layoutPowerTable[];
extern const VarDef varsEquipmentTrapManagement[];      extern const UIEntryDef layoutEquipmentTrapManagement[];
extern const VarDef varsAgentBasicInformation[];        extern const UIEntryDef layoutAgentBasicInformation[];
extern const VarDef varsMibCapabilities[];              extern const UIEntryDef layoutMibCapabilities[];
extern const VarDef varsAgentBasicConfiguration[];      extern const UIEntryDef layoutAgentBasicConfiguration[];
extern const VarDef varsAgentSupportedUpdateFiles[];    extern const UIEntryDef layoutAgentSupportedUpdateFiles[];
extern const VarDef varsAgentTrapManagement[];          extern const UIEntryDef layoutAgentTrapManagement[];
extern const VarDef varsCurrentTime[];                  extern const UIEntryDef layoutCurrentTime[];
extern const VarDef varsNetworkTime[];                  extern const UIEntryDef layoutNetworkTime[];
extern const VarDef varsRmonControl[];                  extern const UIEntryDef layoutRmonControl[];
extern const VarDef varsSpanningTreeAlgorithm[];        extern const UIEntryDef layoutSpanningTreeAlgorithm[];
extern const VarDef varsBridge8021dInformation[];       extern const UIEntryDef layoutBridge8021dInformation[];
extern const VarDef varsSpanningTreeControl[];          extern const UIEntryDef layoutSpanningTreeControl[];
extern const VarDef varsVlanStatusControl[];            extern const UIEntryDef layoutVlanStatusControl[];
extern const VarDef varsDefaultUserPriorities[];        extern const UIEntryDef layoutDefaultUserPriorities[];
extern const VarDef varsRegeneratedUserPriorities[];    extern const UIEntryDef layoutRegeneratedUserPriorities[];
extern const VarDef varsUserPrioritiesToTrafficClass[]; extern const UIEntryDef layoutUserPrioritiesToTrafficClass[];
extern const VarDef varsPortOutboundAccessPriorities[]; extern const UIEntryDef layoutPortOutboundAccessPriorities[];
extern const VarDef varsUnicastForwarding[];            extern const UIEntryDef layoutUnicastForwarding[];
extern const VarDef varsSaveChanges[];  // the one variable written by "Save Changes"

// SNMP V3 menu
extern const VarDef varsSnmpEngine[];                   extern const UIEntryDef layoutSnmpEngine[];
extern const VarDef varsMessageProcessing[];            extern const UIEntryDef layoutMessageProcessing[];
extern const VarDef varsTargetGeneralInformation[];     extern const UIEntryDef layoutTargetGeneralInformation[];
extern const VarDef varsTargetAddressTable[];           extern const UIEntryDef layoutTargetAddressTable[];
extern const VarDef varsTargetParameters[];             extern const UIEntryDef layoutTargetParameters[];
extern const VarDef varsUsmStatistics[];                extern const UIEntryDef layoutUsmStatistics[];
extern const VarDef varsUsmUserTable[];                 extern const UIEntryDef layoutUsmUserTable[];
extern const VarDef varsSecurityGroupTable[];           extern const UIEntryDef layoutSecurityGroupTable[];
extern const VarDef varsVacmAccessTable[];              extern const UIEntryDef layoutVacmAccessTable[];
extern const VarDef varsViewTreeFamilyTable[];          extern const UIEntryDef layoutViewTreeFamilyTable[];
extern const VarDef varsNotifyTable[];                  extern const UIEntryDef layoutNotifyTable[];
extern const VarDef varsNotifyFilterProfileTable[];     extern const UIEntryDef layoutNotifyFilterProfileTable[];
extern const VarDef varsNotifyFilterTable[];            extern const UIEntryDef layoutNotifyFilterTable[];
extern const VarDef varsCommunityTable[];               extern const UIEntryDef layoutCommunityTable[];
extern const VarDef varsCommunityTargetAddressTable[];  extern const UIEntryDef layoutCommunityTargetAddressTable[];

// Security Management and 802.1X menus
extern const VarDef varsAuthenticationMode[];           extern const UIEntryDef layoutAuthenticationMode[];
extern const VarDef varsRadiusBasicConfiguration[];     extern const UIEntryDef layoutRadiusBasicConfiguration[];
extern const VarDef varsRadiusServerTable[];            extern const UIEntryDef layoutRadiusServerTable[];
extern const VarDef varsRadiusClientInformation[];
extern const VarDef varsRadiusAuthenticationTable[];    extern const UIEntryDef layoutRadiusAuthenticationTable[];
extern const VarDef varsAccountingBasicInformation[];   extern const UIEntryDef layoutAccountingBasicInformation[];
extern const VarDef varsAccountingServerTable[];        extern const UIEntryDef layoutAccountingServerTable[];
extern const VarDef varsAccountingClientInformation[];
extern const VarDef varsAccountingServiceTable[];       extern const UIEntryDef layoutAccountingServiceTable[];
extern const VarDef varsDot1xConfiguration[];           extern const UIEntryDef layoutDot1xConfiguration[];
extern const VarDef varsDot1xPortTable[];               extern const UIEntryDef layoutDot1xPortTable[];
extern const VarDef varsDot1xPortConfiguration[];       extern const UIEntryDef layoutDot1xPortConfiguration[];
extern const VarDef varsDot1xPortStatistics[];          extern const UIEntryDef layoutDot1xPortStatistics[];
extern const VarDef varsDot1xPortDiagnostics[];         extern const UIEntryDef layoutDot1xPortDiagnostics[];
extern const VarDef varsDot1xSessionStatistics[];       extern const UIEntryDef layoutDot1xSessionStatistics[];
extern const VarDef varsMacAuthStateTable[];            extern const UIEntryDef layoutMacAuthStateTable[];
extern const VarDef varsMacAuthSessionInformation[];    extern const UIEntryDef layoutMacAuthSessionInformation[];
extern const VarDef varsSupplicantConfiguration[];      extern const UIEntryDef layoutSupplicantConfiguration[];
extern const VarDef varsSupplicantStatistics[];         extern const UIEntryDef layoutSupplicantStatistics[];

// Layer 2 Management and Help menus
extern const VarDef varsDeviceControl[];                extern const UIEntryDef layoutDeviceControl[];
extern const VarDef varsBandwidthControl[];             extern const UIEntryDef layoutBandwidthControl[];
extern const VarDef varsScheduling[];                   extern const UIEntryDef layoutScheduling[];
extern const VarDef varsUserPriority8021p[];            extern const UIEntryDef layoutUserPriority8021p[];
extern const VarDef varsDefaultPriority8021p[];         extern const UIEntryDef layoutDefaultPriority8021p[];
extern const VarDef varsIgmpBasicInformation[];
extern const VarDef varsIgmpControl[];                  extern const UIEntryDef layoutIgmpControl[];
extern const VarDef varsIgmpQuery[];                    extern const UIEntryDef layoutIgmpQuery[];
extern const VarDef varsIgmpInformation[];              extern const UIEntryDef layoutIgmpInformation[];
extern const VarDef varsPortInformation[];              extern const UIEntryDef layoutPortInformation[];
extern const VarDef varsPortControl[];                  extern const UIEntryDef layoutPortControl[];
extern const VarDef varsTrunkInformation[];             extern const UIEntryDef layoutTrunkInformation[];
extern const VarDef varsPortSecurity[];                 extern const UIEntryDef layoutPortSecurity[];
extern const VarDef varsPortRate[];
extern const VarDef varsPortBindingBasicInformation[];  extern const UIEntryDef layoutPortBindingBasicInformation[];
extern const VarDef varsPortBindingCtrl[];
extern const VarDef varsPortBindingInformation[];
extern const VarDef varsTrafficControl[];               extern const UIEntryDef layoutTrafficControl[];
extern const VarDef varsEthernetMask[];                 extern const UIEntryDef layoutEthernetMask[];
extern const VarDef varsEthernetRule[];                 extern const UIEntryDef layoutEthernetRule[];
extern const VarDef varsIpMask[];                       extern const UIEntryDef layoutIpMask[];
extern const VarDef varsIpRule[];                       extern const UIEntryDef layoutIpRule[];
extern const VarDef varsAggregatorTable[];              extern const UIEntryDef layoutAggregatorTable[];
extern const VarDef varsTestPortInformation[];          extern const UIEntryDef layoutTestPortInformation[];
} // namespace kvtables
