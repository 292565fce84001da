#pragma once
#include <cstdint>
#include <vector>

#include "pages/uientrydef.h"

class QCheckBox;
class QLabel;
class QWidget;
class KvSNMPVarList;
struct KvSNMPVar;

// One entry of a page's layout table as the page uses it: the editor kind, the
// format or constraint text, the variable it edits (an element of the page
// binding's variable list, at the entry's own position) and the three controls
// the generator creates for it. A table ends with an entry whose variable is
// null (kind 0).
//
// Each open page holds its own table, made from a static layout table
// (MakeEntries) or derived from the variable list (BuildEntriesFromList), so
// two pages of the same kind never share controls.
struct UIEntry {
    int32_t kind = 0;              // KvUIKind; 0 only in the end entry
    const char* format = nullptr;  // "%s", "%i", "%i{n1x4094}"; may be null for a combo box
    KvSNMPVar* variable = nullptr; // label text and access flags
    int32_t reserved = 0;
    QWidget* editor = nullptr;     // edit field, combo box, memo or list view
    QCheckBox* checkBox = nullptr; // write check box (none for memo and list view)
    QLabel* label = nullptr;       // label (none for memo and list view)
};

using UIEntryTable = std::vector<UIEntry>;

// The runtime table of a static layout table over the given variable list:
// entry k refers to element k of the list. Entries beyond the list's end are
// left out (a layout table never has more entries than its variable table).
// The result ends with the end entry.
UIEntryTable MakeEntries(const UIEntryDef* table, KvSNMPVarList& variables);

// A table derived from the variable list alone, one entry per variable in
// order:
//   - format "%i" for an INTEGER (code 2) without value names, else "%s";
//   - kind uiCombo when the variable has value names, else uiEdit; but
//     uiEditUnselected when its access is exactly index (1) or read-only (2);
// followed by the end entry (one entry more than the list).
UIEntryTable BuildEntriesFromList(KvSNMPVarList& variables);

// Number of entries before the end entry.
int CountEntries(const UIEntryTable& table);
