#include "pages/uientry.h"

#include "snmp/kvsnmpvarlist.h"

UIEntryTable MakeEntries(const UIEntryDef* table, KvSNMPVarList& variables)
{
    UIEntryTable entries;
    for (int32_t k = 0; table && table[k].variable && k < variables.Count(); ++k) {
        UIEntry entry;
        entry.kind = table[k].kind;
        entry.format = table[k].format;
        entry.variable = &variables[k];
        entries.push_back(entry);
    }
    entries.push_back(UIEntry{});
    return entries;
}

UIEntryTable BuildEntriesFromList(KvSNMPVarList& variables)
{
    UIEntryTable entries;
    entries.reserve(static_cast<size_t>(variables.Count()) + 1);
    for (int32_t i = 0; i < variables.Count(); ++i) {
        KvSNMPVar& var = variables[i];
        const bool named = var.options != nullptr;
        UIEntry entry;
        entry.variable = &var;
        entry.format = (var.syntax == synInteger && !named) ? "%i" : "%s";
        entry.kind = named ? uiCombo : uiEdit;
        if (var.access == accIndex || var.access == accRead)
            entry.kind = uiEditUnselected;
        entries.push_back(entry);
    }
    entries.push_back(UIEntry{});
    return entries;
}

int CountEntries(const UIEntryTable& table)
{
    int n = 0;
    while (n < static_cast<int>(table.size()) && table[static_cast<size_t>(n)].variable)
        ++n;
    return n;
}
