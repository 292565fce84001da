#pragma once
#include <cstdint>
#include <span>

#include "forms/kvformtable.h"

// The variable tables of the port and traffic forms. Each ends with a row
// whose oid is null. Object identifiers under the maker's enterprise arc are
// built from the enterprise number chosen at configuration time.
namespace kvforms {

extern const VarDef varsEquipmentBasicInfo[];   // TEquipmentBasicInfoForm, scalars
extern const VarDef varsDot1xDiagnostics[];     // TDiagnosticsInformationForm, table (2, 1)
extern const VarDef varsEapolFrameStatistics[]; // TMacStatisticTableForm, table (2, 1)
extern const VarDef varsPortTrunk[];            // TPortTrunkForm, table with rows (3, 1)
extern const VarDef varsPortMirror[];           // TPortMirrorForm, scalars
extern const VarDef varsTrafficSegmentation[];  // TTrafficSegmentationForm, table with rows (3, 1)
extern const VarDef varsAggregatorPort[];       // TAggregatorPortTableForm, table (2, 1)

// The columns of varsPortTrunk, in table order.
enum PortTrunkColumn : int32_t { kTrunkIndex, kTrunkMasterPort, kTrunkMember, kTrunkState, kTrunkFloodingPort };

// The variable tables of the port and traffic forms, in menu order.
std::span<const FormTableDef> PortFormTables();

} // namespace kvforms
