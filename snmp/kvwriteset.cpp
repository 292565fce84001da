#include "snmp/kvwriteset.h"

#include "snmp/kvsnmpvarlist.h"

KvWriteSet KvWriteSet::All(const KvSNMPVarList& variables)
{
    KvWriteSet all;
    for (int32_t i = 0; i < variables.Count(); ++i)
        all.Add(i);
    return all;
}
