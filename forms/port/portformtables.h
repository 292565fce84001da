#pragma once
#include <span>

#include "forms/kvformtable.h"

namespace kvforms {

// The variable tables of the port and traffic forms, in menu order.
std::span<const FormTableDef> PortFormTables();

} // namespace kvforms
