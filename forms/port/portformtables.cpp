#include "forms/port/portformtables.h"

namespace kvforms {

std::span<const FormTableDef> PortFormTables()
{
    return {};
}

} // namespace kvforms
