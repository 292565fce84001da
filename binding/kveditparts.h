#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "binding/kvvaluecodec.h"

// One value over several edits (address parts, MAC bytes, time fields): per
// syntax code, how the value splits into the texts of its edits and how
// their texts join back into the value's text form. A code without a row
// goes into its first edit whole.
//
// Splitting starts from the value's text and its octet form; joining reads
// the edits as the operator left them: blanks around a part are ignored and
// an empty part is 0 (00 for a byte), but a part that is no value of its
// field is refused (KvEditPartRefusal), never cut down to fit.

using KvEditTexts = std::vector<std::string>;

struct KvEditParts {
    int syntax;
    // Edits the value takes, 0 for one edit per byte (per arc of an object
    // identifier). A row with a count splits only a value of at least `bytes`
    // bytes, and its join reads the first `edits` edits.
    size_t edits;
    size_t bytes;
    KvEditTexts (*split)(const std::string& text, const KvOctets& octets);
    std::string (*join)(const KvEditTexts& texts);
};

// What a join raises for texts that make no value: `edit` is the edit at
// fault, or -1 when only the parts together are wrong (a date the calendar
// does not have, more ticks than the value holds).
struct KvEditPartRefusal {
    int edit;
};

// The row of `syntax`, or null when the value goes into one edit.
const KvEditParts* FindEditParts(int syntax);

// Every row, in code order.
std::span<const KvEditParts> EditPartsTable();
