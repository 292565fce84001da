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
extern const VarDef varsVlanStatic[];             // kind 3, one key
extern const VarDef varsNextFreeLocalVlanIndex[]; // kind 0
// "802.1Q VLAN" > "Current Table" (TVLanCurrentTableForm)
extern const VarDef varsVlanNumDeletes[]; // kind 0
extern const VarDef varsVlanCurrent[];    // kind 3, two keys
// "Port Based VLAN" (TPortBasedVLanForm)
extern const VarDef varsPortBasedVlan[]; // kind 3, one key
// "Forwarding/Filtering" and "Static Filtering" windows
extern const VarDef varsTpGroup[];             // kind 3, two keys
extern const VarDef varsForwardAll[];          // kind 2, one key
extern const VarDef varsForwardUnregistered[]; // kind 2, one key
extern const VarDef varsStaticUnicast[];       // kind 3, three keys
extern const VarDef varsStaticMulticast[];     // kind 3, three keys
// "802.1P" > "Basic Configure" (TPBridgeConfigForm): one variable per request
extern const VarDef varsDeviceCapabilities[];    // kind 0
extern const VarDef varsTrafficClassesEnabled[]; // kind 0
extern const VarDef varsGmrpStatus[];            // kind 0
// "802.1P" > "GARP", "Port Capability"
extern const VarDef varsGarp[];             // kind 2, one key
extern const VarDef varsPortCapabilities[]; // kind 2, one key
// "802.1Q Bridge" > "Basic Configure", "Ports Information"
extern const VarDef varsVlanGeneral[]; // kind 0
extern const VarDef varsPortVlan[];    // kind 2, one key

// The columns of varsVlanStatic and varsPortBasedVlan, in table order.
enum VlanStaticColumn : int32_t {
    kStaticVlanId,
    kStaticVlanName,
    kStaticEgress,
    kStaticForbidden,
    kStaticUntagged,
    kStaticStatus,
};
enum PortBasedVlanColumn : int32_t { kPortVlanIndex, kPortVlanName, kPortVlanMembers, kPortVlanStatus };

// Every request of these forms, in menu order.
std::span<const FormTableDef> VlanFormTables();
// The windows among them with more than one request.
std::span<const FormWindowDef> VlanFormWindows();

} // namespace kvforms
