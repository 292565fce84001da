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

// A hand-made window with several requests, by its caption: the export takes
// the caption for all of the window's requests (its FormTableDef entries, in
// the order the window shows them).
struct FormWindowDef {
    const char* formClass; // "TPBridgeConfigForm"
    const char* caption;   // "802.1P Basic Configure"
};
