#pragma once
#include <cstdint>
#include <span>

#include "snmp/vardef.h"

// The variable table of one hand-made form, as the command-line export and
// the table checks see it: plain data beside the form, no widgets. A form
// with several requests has one entry per request.
struct FormTableDef {
    const char* formClass;   // window class that shows the table ("TPortTrunkForm")
    const char* title;       // the page title the export finds it by
    uint8_t kind;            // variable list kind 0..3
    int32_t keyCount;        // variable list key count
    const VarDef* variables; // ends with a row whose oid is null
};
