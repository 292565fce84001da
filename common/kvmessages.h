#pragma once
#include <string>

#include "common/kverror.h"
#include "common/kvmessageset.h"

// The seven process-wide message sets, their message files and the mapping
// from error codes to texts.
//
//   set            file                     codes
//   Common         errmsg\common.err        -1..-18 (line = -code)
//   Snmp           errmsg\snmp.err          -101..-118 (PDU error status 1..18)
//   SnmpV3         errmsg\snmpv3.err        -201..-217
//   Usm            errmsg\snmpusm.err       -301..-314
//   SnmpClass      errmsg\snmpclass.err     -401..-423
//   KvSnmp         errmsg\kvsnmp.err        0 and -501..-528 (line = -code - 500)
//   StatusLines    errmsg\snmp.msg          line 0 after a read, line 1 after a write
enum class KvMessageSetId {
    Common = 0,
    Snmp,
    SnmpV3,
    Usm,
    SnmpClass,
    KvSnmp,
    StatusLines,
};
constexpr int kKvMessageSetCount = 7;

// The set itself (created on first use, lives until the process ends).
KvMessageSet& KvMessages(KvMessageSetId id);

// File name relative to the module directory, written as the system writes it
// ("errmsg\\common.err"); convert to a native path before loading. The sets in
// enumeration order are also the order in which start-up loads them.
const char* KvMessageFileName(KvMessageSetId id);

// Puts every set back to its built-in texts.
void KvResetMessageSets();

// Line `line` of one set (shorthand for KvMessages(id).Lookup(line)).
std::string KvMessageText(KvMessageSetId id, int line);

// The text for an error code: 0 -> "(VoDADI++) Ok!"; -1..-18 common lines;
// -101.., -201.., -301.., -401.. the four SNMP sets; -501..-528 the library's
// own set. Any other code gives the library's "Unknown error code!" line.
std::string KvErrorText(int code);

// A KvError carrying `code` and KvErrorText(code).
KvError KvMakeError(int code);

// Throws KvMakeError(code).
[[noreturn]] void KvRaise(int code);

// Status line template after a read (false) or a write (true).
std::string KvStatusTemplate(bool afterWrite);
