#pragma once
#include <cstdint>
#include <span>

#include "forms/kvformtable.h"

// The variable tables of the port and traffic forms. Each ends with a row
// whose oid is null. Object identifiers under the maker's enterprise arc are
// built from the enterprise number chosen at configuration time.
namespace kvforms {

extern const VarDef varsEquipmentBasicInfo[];   // TEquipmentBasicInfoForm, kvListScalars
extern const VarDef varsDot1xDiagnostics[];     // TDiagnosticsInformationForm, kvListTable, one key
extern const VarDef varsEapolFrameStatistics[]; // TMacStatisticTableForm, kvListTable, one key
extern const VarDef varsPortTrunk[];            // TPortTrunkForm, kvListTableRows, one key
extern const VarDef varsPortMirror[];           // TPortMirrorForm, kvListScalars
extern const VarDef varsTrafficSegmentation[];  // TTrafficSegmentationForm, kvListTableRows, one key
extern const VarDef varsAggregatorPort[];       // TAggregatorPortTableForm, kvListTable, one key

// The variables of each table, in table order (the forms bind and write them
// by these names).
enum EquipmentBasicInfoVariable : int32_t {
    kEquipmentCapacity,
    kEquipmentStackingVersion,
    kEquipmentMaxSupportedUnits,
    kEquipmentNumOfUnit,
};
enum PortTrunkColumn : int32_t { kTrunkIndex, kTrunkMasterPort, kTrunkMember, kTrunkState, kTrunkFloodingPort };
enum PortMirrorVariable : int32_t {
    kMirrorMaxEntries,
    kMirrorRxPorts,
    kMirrorTxPorts,
    kMirrorTargetPort,
    kMirrorState
};
enum TrafficSegmentationColumn : int32_t { kSegmentationPort, kSegmentationForwardPorts };
enum AggregatorPortColumn : int32_t {
    kAggregatorPortIndex,
    kAggregatorActorSystemPriority,
    kAggregatorActorSystemId,
    kAggregatorActorAdminKey,
    kAggregatorActorOperKey,
    kAggregatorPartnerAdminSystemPriority,
    kAggregatorPartnerOperSystemPriority,
    kAggregatorPartnerAdminSystemId,
    kAggregatorPartnerOperSystemId,
    kAggregatorPartnerAdminKey,
    kAggregatorPartnerOperKey,
    kAggregatorSelectedAggId,
    kAggregatorAttachedAggId,
    kAggregatorActorPort,
    kAggregatorActorPortPriority,
    kAggregatorPartnerAdminPort,
    kAggregatorPartnerOperPort,
    kAggregatorPartnerAdminPortPriority,
    kAggregatorPartnerOperPortPriority,
    // The four LACP state octets, one after the other.
    kAggregatorActorAdminState,
    kAggregatorActorOperState,
    kAggregatorPartnerAdminState,
    kAggregatorPartnerOperState,
    kAggregatorAggregateOrIndividual,
};

// The variable tables of the port and traffic forms, in menu order.
std::span<const FormTableDef> PortFormTables();

} // namespace kvforms
