#pragma once
#include <cstdint>
#include <span>

#include "common/kvoptionlist.h"
#include "forms/kvformtable.h"
#include "snmp/vardef.h"

// The variable tables of the VLAN and bridge forms: the 802.1Q static and
// current VLAN tables, the port-based VLANs, the filtering databases, and the
// 802.1p, GARP and 802.1Q basic settings. Widget-free; the forms and the
// command-line export share them.
namespace kvforms {

// Value names that only these forms use (the others come from the shared
// lists of the page tables).
extern const KvOptionList optRowStatusCapitalised; // 1 "Active", 2 "NotInService" ... 6 "Destroy"
extern const KvOptionList optVlanStatus;           // 1 "other", 2 "permanent", 3 "dynamicGvrp"
extern const KvOptionList optFilterStatus;         // 1 "other", 2 "invalid" ... 5 "deleteOnTimeout"

// "802.1Q VLAN" > "Static Table" (TVlanStaticForm)
extern const VarDef varsVlanStatic[];             // kvListTableRows, one key
extern const VarDef varsNextFreeLocalVlanIndex[]; // kvListScalars
// "802.1Q VLAN" > "Current Table" (TVLanCurrentTableForm)
extern const VarDef varsVlanNumDeletes[]; // kvListScalars
extern const VarDef varsVlanCurrent[];    // kvListTableRows, two keys
// "Port Based VLAN" (TPortBasedVLanForm)
extern const VarDef varsPortBasedVlan[]; // kvListTableRows, one key
// "Forwarding/Filtering" and "Static Filtering" windows
extern const VarDef varsTpGroup[];             // kvListTableRows, two keys
extern const VarDef varsForwardAll[];          // kvListTable, one key
extern const VarDef varsForwardUnregistered[]; // kvListTable, one key
extern const VarDef varsStaticUnicast[];       // kvListTableRows, three keys
extern const VarDef varsStaticMulticast[];     // kvListTableRows, three keys
// "802.1P" > "Basic Configure" (TPBridgeConfigForm): one variable per request
extern const VarDef varsDeviceCapabilities[];    // kvListScalars
extern const VarDef varsTrafficClassesEnabled[]; // kvListScalars
extern const VarDef varsGmrpStatus[];            // kvListScalars
// "802.1P" > "GARP", "Port Capability"
extern const VarDef varsGarp[];             // kvListTable, one key
extern const VarDef varsPortCapabilities[]; // kvListTable, one key
// "802.1Q Bridge" > "Basic Configure", "Ports Information"
extern const VarDef varsVlanGeneral[]; // kvListScalars
extern const VarDef varsPortVlan[];    // kvListTable, one key

// The variables of each table, in table order (the forms bind and write them
// by these names). A table of one variable has no names: it is variable 0.
enum VlanStaticColumn : int32_t {
    kStaticVlanId,
    kStaticVlanName,
    kStaticEgress,
    kStaticForbidden,
    kStaticUntagged,
    kStaticStatus,
};
enum VlanCurrentColumn : int32_t {
    kCurrentTimeMark,
    kCurrentVlanIndex,
    kCurrentFdbId,
    kCurrentEgress,
    kCurrentUntagged,
    kCurrentStatus,
    kCurrentCreationTime,
};
enum PortBasedVlanColumn : int32_t { kPortVlanIndex, kPortVlanName, kPortVlanMembers, kPortVlanStatus };
enum TpGroupColumn : int32_t { kGroupVlanId, kGroupAddress, kGroupEgress, kGroupLearnt };
// varsForwardAll and varsForwardUnregistered alike: the VLAN, then its three
// port lists.
enum PortSetsColumn : int32_t { kPortSetsVlanId, kPortSetsAll, kPortSetsStatic, kPortSetsForbidden };
enum StaticUnicastColumn : int32_t {
    kUnicastVlanId,
    kUnicastAddress,
    kUnicastReceivePort,
    kUnicastAllowedPorts,
    kUnicastStatus,
};
enum StaticMulticastColumn : int32_t {
    kMulticastVlanId,
    kMulticastAddress,
    kMulticastReceivePort,
    kMulticastEgress,
    kMulticastForbidden,
    kMulticastStatus,
};
enum GarpColumn : int32_t { kGarpPort, kGarpJoinTime, kGarpLeaveTime, kGarpLeaveAllTime };
enum VlanGeneralVariable : int32_t {
    kGeneralVersion,
    kGeneralMaxVlanId,
    kGeneralMaxSupportedVlans,
    kGeneralCurrentVlans,
    kGeneralGvrpStatus,
};
enum PortVlanColumn : int32_t { kVlanPortNumber, kVlanPortPvid, kVlanPortIngressFiltering, kVlanPortGvrpStatus };

// Every request of these forms, in menu order.
std::span<const FormTableDef> VlanFormTables();
// The windows among them with more than one request.
std::span<const FormWindowDef> VlanFormWindows();

} // namespace kvforms
