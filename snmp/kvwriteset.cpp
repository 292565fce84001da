#include "snmp/kvwriteset.h"

#include "snmp/kvsnmpvarlist.h"

KvWriteSet KvWriteSet::All(const KvSNMPVarList& variables)
{
    KvWriteSet all;
    for (int32_t i = 0; i < variables.Count(); ++i)
        all.Add(i);
    return all;
}

bool KvWriteSet::CarriesValue(const KvSNMPVarList& variables) const
{
    const bool table = variables.kind == kvListTable || variables.kind == kvListTableRows;
    for (int32_t i : elements_) {
        if (i < 0 || i >= variables.Count() || (table && i < variables.keyCount))
            continue;
        if (variables.IsWritable(i))
            return true;
    }
    return false;
}
