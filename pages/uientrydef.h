#pragma once
#include <cstdint>

#include "snmp/vardef.h"

// Editor kinds of a page layout entry. 0 marks only the end row of a table.
enum KvUIKind : int32_t {
    uiEdit = 1,           // edit field, write check box set
    uiCombo = 2,          // drop-down list filled from the variable's value names
    uiMemo = 3,           // memo (the page's status target); sole entry of its table
    uiEditUnselected = 4, // edit field, write check box clear
    uiListView = 5,       // report list view; sole entry of its table
};

// One row of a static page layout table. The page framework turns each row into
// a runtime entry that also holds the editor, write check box and label it
// creates; the static rows themselves are never written.
//
// `format` is the format or constraint text handed to the edit binding
// ("%s", "%i", "%i{n1x4094}"). A few combo entries carry none (null): a combo
// box takes its values from the value names, not from a format.
//
// The entry at position k refers to row k of the page's variable table (the
// binding addresses its variables by the entry's position). A table ends with a
// row whose `variable` is null (and whose kind is 0).
struct UIEntryDef {
    int32_t kind;
    const char* format;
    const VarDef* variable;
};

namespace kvtables {

// Number of rows before the end row (a row whose oid is null).
int CountRows(const VarDef* table);
// Number of entries before the end row (a row whose variable is null).
int CountEntries(const UIEntryDef* table);

} // namespace kvtables
