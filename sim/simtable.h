#pragma once
// A table of the simulated switch: its entry OID (columns are entry.N, rows
// entry.N.<index>), how rows are created and removed, and the column
// templates that give a new row its types, access, constraints and defaults.

#include <map>

#include "sim/simobject.h"

struct SimTable {
    SimOid entry;
    // Rows come into being by a set of any read-create column (tables
    // without a RowStatus column, such as the static filtering tables).
    bool createOnAnyColumn = false;
    // Writing deleteValue to deleteColumn removes the row (for example
    // "invalid" in the static filtering tables). 0: no such rule.
    oid deleteColumn = 0;
    int64_t deleteValue = 0;
    // Column templates by column number (their oid is entry.column).
    std::map<oid, SimObject> columns;
};
