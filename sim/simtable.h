#pragma once
// A table of the simulated switch: its entry OID (columns are entry.N, rows
// entry.N.<index>), how rows are created and removed, and the column
// templates that give a new row its types, access, constraints and defaults.

#include <map>
#include <vector>

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
    // The values the first index arc of a new row may take ("index=1..4094");
    // a row outside them cannot be created (noCreation). Empty: any value.
    SimConstraint index;
    // Column templates by column number (their oid is entry.column).
    std::map<oid, SimObject> columns;
};

// "mirror SOURCE TARGET [prefix=ARCS] [copy=S:T,...]": a row created in the
// source table brings a row of the target table with it, at the index
// prefix.index; the source's column S is copied into the target's column T
// whenever it is written (and at creation); destroying the source row
// removes the target row. The current VLAN table follows the static one so.
struct SimMirror {
    SimOid source; // table entries
    SimOid target;
    SimOid prefix;                           // arcs before the source's index
    std::vector<std::pair<oid, oid>> copies; // source column -> target column
};

// "count OBJECT created|deleted|rows TABLE": a scalar that follows the rows of
// a table: +1 per row created, +1 per row removed, or +1 / -1 for both (the
// number of rows).
struct SimRowCount {
    enum class Event { Created, Deleted, Rows };
    SimOid counter;
    Event event = Event::Created;
    SimOid table; // table entry
};
