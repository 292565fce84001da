#pragma once
// One object of the simulated switch: a scalar instance or one cell of a
// table, with its type, access, value and constraints.

#include <cstdint>

#include "sim/simconstraint.h"
#include "sim/simoid.h"
#include "sim/simvalue.h"

enum class SimAccess {
    ReadOnly,   // "ro"
    ReadWrite,  // "rw"
    ReadCreate, // "rc": writable column of a table whose rows can be created
};

// Values the simulator computes when they are read instead of keeping them.
enum class SimSpecial {
    None,
    Uptime,     // "@uptime": hundredths of a second since the start
    FrontPanel, // "@frontpanel": the 31-octet LED status string
    EngineId,   // "@engineid": the agent's SNMP engine ID (until a set replaces it)
    Index,      // "@index" / "@index.N" (column defaults only): an arc of the row's index
};

struct SimObject {
    SimOid oid;
    SimType type = SimType::Integer;
    SimAccess access = SimAccess::ReadOnly;
    SimValue value;
    SimSpecial special = SimSpecial::None;
    unsigned indexArc = 1; // for SimSpecial::Index: which arc of the index, from 1
    SimConstraint constraint;
    uint64_t movingRate = 0; // counters named by a "moving" line: increase per second

    bool Writable() const
    {
        return access != SimAccess::ReadOnly && special != SimSpecial::Uptime && special != SimSpecial::FrontPanel;
    }
};
