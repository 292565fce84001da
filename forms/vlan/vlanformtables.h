#pragma once
#include <span>

#include "forms/kvformtable.h"

namespace kvforms {

// The variable tables of the VLAN and bridge forms, in menu order.
std::span<const FormTableDef> VlanFormTables();

} // namespace kvforms
