#include "forms/vlan/vlanformtables.h"

namespace kvforms {

std::span<const FormTableDef> VlanFormTables()
{
    return {};
}

} // namespace kvforms
