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
//   SnmpClass      errmsg\snmpclass.err     -401..-425
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

// Error codes. Each code is the line of its set that holds its text (see the
// table above); these names are the only place the numbers are written.

// First and last code of each range.
constexpr int kvErrCommonFirst = -1;
constexpr int kvErrCommonLast = -18;
constexpr int kvErrSnmpFirst = -101; // PDU error status 1
constexpr int kvErrSnmpLast = -118;  // PDU error status 18
constexpr int kvErrSnmpV3First = -201;
constexpr int kvErrSnmpV3Last = -217;
constexpr int kvErrUsmFirst = -301;
constexpr int kvErrUsmLast = -314;
constexpr int kvErrSnmpClassFirst = -401;
constexpr int kvErrSnmpClassLast = -425;
constexpr int kvErrKvSnmpFirst = -501;
constexpr int kvErrKvSnmpLast = -528;

// The codes the program raises or tests by name.
constexpr int kvErrOk = 0; // "(VoDADI++) Ok!"
constexpr int kvErrBadLogicOperand = -1;
constexpr int kvErrBadConstraintFormat = -2;
constexpr int kvErrEmptyValue = -3; // an edit that must not be empty
constexpr int kvErrStringMax = -4;
constexpr int kvErrStringExact = -5;
constexpr int kvErrHexMax = -6;
constexpr int kvErrHexExact = -7;
constexpr int kvErrNumberRange = -8;
constexpr int kvErrListMax = -9;
constexpr int kvErrListExact = -10;
constexpr int kvErrListRange = -11;
constexpr int kvErrIndexOutOfRange = -12; // index of an array or list
constexpr int kvErrFileWrite = -16;       // "Fail to write data to file([FILENAME])!"
constexpr int kvErrNoSuchName = -102;     // PDU error status noSuchName
constexpr int kvErrTimeout = -405;        // no answer after all retries
constexpr int kvErrWalkOutOfOrder = -424; // a table walk whose answers do not move on
constexpr int kvErrWalkStopped = -425;    // a table walk the operator stopped before its end
constexpr int kvErrVarFileRead = -501;
constexpr int kvErrVarFileFormat = -502;
constexpr int kvErrVarFileItemType = -503;
constexpr int kvErrVarFileSyntax = -504;
constexpr int kvErrVarFileAccess = -505;
constexpr int kvErrNoSession = -506; // the global session cannot be created
constexpr int kvErrBootCounterLoad = -507;
constexpr int kvErrBootCounterSave = -508;
constexpr int kvErrBadAddress = -509; // invalid IP address or DNS name
constexpr int kvErrGetNextOnScalars = -510;
constexpr int kvErrBadSyntax = -511;
constexpr int kvErrNullInExpression = -512;
constexpr int kvErrExpressionSyntax = -513;
constexpr int kvErrBadKeyCount = -514;
constexpr int kvErrBadListKind = -515;
constexpr int kvErrBadAssociatedList = -516;
constexpr int kvErrBadPartSyntax = -517;
constexpr int kvErrBadValue = -518;
constexpr int kvErrOutOfRange = -519; // bit or byte index beyond the value
constexpr int kvErrNoOptionList = -520;
constexpr int kvErrBadControl = -521;
constexpr int kvErrTooFewControls = -522;
constexpr int kvErrNoStartTime = -523;
constexpr int kvErrTooFewHistoryItems = -524;
constexpr int kvErrLogNotConnected = -525;
constexpr int kvErrLogFieldNotFound = -526;
constexpr int kvErrBadChartSyntax = -527;
constexpr int kvErrUnknownCode = -528; // "(VoDADI++) Unknown error code!"

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
