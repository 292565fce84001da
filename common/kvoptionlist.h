#pragma once
#include <cstdint>

// One row of a static value-name table; a row whose label is null ends the table.
// Kind 1 lists use `value`; kinds 2 and 3 use `text`.
struct KvOptionDef {
    int32_t value;
    const char* text;
    const char* label;
};

// Value-name list of an enumerated variable (full interface: see the class
// definition below, completed by the common library).
class KvOptionList;
