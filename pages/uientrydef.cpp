#include "pages/uientrydef.h"

namespace kvtables {

int CountRows(const VarDef* table)
{
    int n = 0;
    if (table)
        while (table[n].oid)
            ++n;
    return n;
}

int CountEntries(const UIEntryDef* table)
{
    int n = 0;
    if (table)
        while (table[n].variable)
            ++n;
    return n;
}

} // namespace kvtables
