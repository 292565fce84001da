#include "common/kvmessages.h"

#include <iterator>

namespace {

// Built-in texts, one line of each set per row. "\n" is a line break inside
// a text.

// Common-utility set
const char* const kCommonTexts[] = {
    /*  0 */ "(KvCommon) Ok!",
    /*  1 */ "(KvCommon) Bad logic operand!",
    /*  2 */ "(KvCommon) Bad format specifier of edit's constraint!",
    /*  3 */ "(KvCommon) Empty value is not allowed!",
    /*  4 */ "(KvCommon) Please enter a string whose length is less than [MAXLEN]!",
    /*  5 */ "(KvCommon) Please enter a string whose length is [LEN]!",
    /*  6 */ "(KvCommon) Please enter a hex string whose length is less than [MAXLEN]!",
    /*  7 */ "(KvCommon) Please enter a hex string whose length is [LEN]!",
    /*  8 */ "(KvCommon) Please enter a number between [MIN] and [MAX]!",
    /*  9 */
    "(KvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the number is "
    "less than [MAXCOUNT]!",
    /* 10 */
    "(KvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the count of the number is "
    "equal to [COUNT]!",
    /* 11 */
    "(KvCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,each number is between "
    "[MIN] and [MAX]!",
    /* 12 */ "(KvCommon) Out of range at index of array or list!",
    /* 13 */ "(KvCommon) Destination buffer is undersize!",
    /* 14 */ "(KvCommon) The source to dncrypt is not encrypted!",
    /* 15 */ "(KvCommon) Fail to read data from file([FILENAME])!",
    /* 16 */ "(KvCommon) Fail to write data to file([FILENAME])!",
    /* 17 */ "(KvCommon) Fail to write value in ini file([FILENAME])!",
    /* 18 */ "(KvCommon) Fail to read option data from file([FILENAME])!",
};

// SNMP error set
const char* const kSnmpTexts[] = {
    /*  0 */ "(SNMP) Response PDU Too Big!",
    /*  1 */ "(SNMP) Variable does not exist!",
    /*  2 */ "(SNMP) Cannot modify variable: Bad Value!",
    /*  3 */ "(SNMP) Cannot modify object, Read Only!",
    /*  4 */ "(SNMP) Cannot perform operation, General Error!",
    /*  5 */ "(SNMP) Cannot access variable, No Access!",
    /*  6 */ "(SNMP) Cannot create/modify variable, Wrong Type!",
    /*  7 */ "(SNMP) Cannot create/set variable, Wrong Length!",
    /*  8 */ "(SNMP) Cannot create/set variable, Wrong Encoding!",
    /*  9 */ "(SNMP) Cannot create/set variable, Wrong Value!",
    /* 10 */ "(SNMP) Cannot create variable, Creation Not Allowed!",
    /* 11 */ "(SNMP) Cannot create/set variable, Inconsistent Value!",
    /* 12 */ "(SNMP) Cannot create/set variable, Resource Unavailable!",
    /* 13 */ "(SNMP) Cannot create/set variable, Commit Failed!",
    /* 14 */ "(SNMP) Cannot create/set variable, Undo Failed!",
    /* 15 */ "(SNMP) Cannot perform operation, Authorization Error!",
    /* 16 */ "(SNMP) Cannot create/set variable, Not Writable!",
    /* 17 */ "(SNMP) Cannot create variable, Inconsistent Name!",
};

// SNMPv3 error set
const char* const kSnmpV3Texts[] = {
    /*  0 */ "(SNMPv3) Unsupported Security Model!",
    /*  1 */ "(SNMPv3) Message not in Time Window!",
    /*  2 */ "(SNMPv3) Received same Message twice!",
    /*  3 */ "(SNMPv3) Invalid Message!",
    /*  4 */ "(SNMPv3) Invalid EngineID!",
    /*  5 */ "(SNMPv3) v3MP not initialized!",
    /*  6 */ "(SNMPv3) Parse Error!",
    /*  7 */ "(SNMPv3) Received Message with unknown MsgID!",
    /*  8 */ "(SNMPv3) Message does not match known message!",
    /*  9 */ "(SNMPv3) Community format error!",
    /* 10 */ "(SNMPv3) Unknown UserName!",
    /* 11 */ "(SNMPv3) Build error!",
    /* 12 */ "(SNMPv3) USM: error!",
    /* 13 */ "(SNMPv3) Unknown pdu handlers!",
    /* 14 */ "(SNMPv3) Unavailable Context!",
    /* 15 */ "(SNMPv3) Unknown Context!",
    /* 16 */ "(SNMPv3) Report sent!",
};

// USM error set
const char* const kUsmTexts[] = {
    /*  0 */ "(SNMPv3USM) error!",
    /*  1 */ "(SNMPv3USM) Configfile write error!",
    /*  2 */ "(SNMPv3USM) Unsupported SecurityLevel!",
    /*  3 */ "(SNMPv3USM) Unknown SecurityName!",
    /*  4 */ "(SNMPv3USM) Encryption error!",
    /*  5 */ "(SNMPv3USM) Decryption error!",
    /*  6 */ "(SNMPv3USM) Authentication error!",
    /*  7 */ "(SNMPv3USM) Authentication failure!",
    /*  8 */ "(SNMPv3USM) Parse error!",
    /*  9 */ "(SNMPv3USM) Unknown EngineID!",
    /* 10 */ "(SNMPv3USM) Message not in TimeWindow!",
    /* 11 */ "(SNMPv3USM) Unsupported AuthProtocol!",
    /* 12 */ "(SNMPv3USM) Unsupported PrivProtocol!",
    /* 13 */ "(SNMPv3USM) Address error!",
};

// SNMP class error set
const char* const kSnmpClassTexts[] = {
    /*  0 */ "(SNMPClass) Operation failed!",
    /*  1 */ "(SNMPClass) Resource unavailable!",
    /*  2 */ "(SNMPClass) Internal error!",
    /*  3 */ "(SNMPClass) Unsupported function!",
    /*  4 */ "(SNMPClass) SNMP request timed out!",
    /*  5 */ "(SNMPClass) Received SNMP Response!",
    /*  6 */ "(SNMPClass) Received SNMP Notification (trap or inform)!",
    /*  7 */ "(SNMPClass) Closing session with outstanding requests!",
    /*  8 */ "(SNMPClass)Unknown error code!",
    /*  9 */ "(SNMPClass) Class not valid!",
    /* 10 */ "(SNMPClass) Invalid Pdu!",
    /* 11 */ "(SNMPClass) Invalid Target!",
    /* 12 */ "(SNMPClass) Invalid (null) Callback Function!",
    /* 13 */ "(SNMPClass) Invalid Request Id!",
    /* 14 */ "(SNMPClass) Invalid Notification Id!",
    /* 15 */ "(SNMPClass) SNMP Operation not supported on specified Target!",
    /* 16 */ "(SNMPClass) Invalid Object Identifier!",
    /* 17 */ "(SNMPClass) Invalid Address!",
    /* 18 */ "(SNMPClass) Agent indicates error in SNMP request!",
    /* 19 */ "(SNMP Class) Transport is not supported!",
    /* 20 */ "(SNMPClass) Transport is in use!",
    /* 21 */ "(SNMPClass) Transport operation failed!",
    /* 22 */ "(SNMPClass) Blocked Mode Shutdown!",
    /* 23 */ "(SNMPClass) Agent answered out of order, table walk stopped!",
    /* 24 */ "(SNMPClass) Table walk stopped, the list may be incomplete!",
};

// Library's own set
const char* const kKvSnmpTexts[] = {
    /*  0 */ "(VoDADI++) Ok!",
    /*  1 */ "(VoDADI++) Fail to read SNMP variables from file([FILENAME])!",
    /*  2 */ "(VoDADI++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!",
    /*  3 */ "(VoDADI++) Bad item type at line([LINENO])in SNMP variables file([FILENAME])!",
    /*  4 */ "(VoDADI++) Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!",
    /*  5 */ "(VoDADI++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!",
    /*  6 */ "(VoDADI++) Cannot create the global VoDADI++ session!",
    /*  7 */ "(VoDADI++) Error when loading SNMP engine boots counter!",
    /*  8 */ "(VoDADI++) Error when saving SNMP engine boots counter!",
    /*  9 */ "(VoDADI++) Invalid IP Address or DNS name!",
    /* 10 */ "(VoDADI++) Can't send get-next command for a SNMP variable list with single value!",
    /* 11 */ "(VoDADI++) Bad SNMP syntax!",
    /* 12 */ "(VoDADI++) Null value in the expression!",
    /* 13 */ "(VoDADI++) Bad SNMP syntax in the expression!",
    /* 14 */ "(VoDADI++) Bad key count of SNMP variable list!",
    /* 15 */ "(VoDADI++) Bad item type of SNMP variable list!",
    /* 16 */ "(VoDADI++) Bad item type of associated SNMP variable list!",
    /* 17 */ "(VoDADI++) Bad syntax of the associated SNMP variable's (partial) data!",
    /* 18 */ "(VoDADI++) Bad value of the associated SNMP variable's (partial) data!",
    /* 19 */ "(VoDADI++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) data!",
    /* 20 */
    "(VoDADI++) No reference option list for a SNMP variable's (partial) data associating with a optional visual "
    "control!",
    /* 21 */ "(VoDADI++) Bad type of the associated visual control!",
    /* 22 */ "(VoDADI++) Count of the associated visual controls is not enough!",
    /* 23 */
    "(VoDADI++) No system start time for the time whose data source is the SNMP variable's (partial) data with syntax "
    "timeticks!",
    /* 24 */ "(VoDADI++) Count of the value items for the chart's history data is not enough!",
    /* 25 */ "(VoDADI++) Log database is not connected!",
    /* 26 */ "(VoDADI++) Log database field not found!",
    /* 27 */ "(VoDADI++) Bad syntax for the history chart of log!",
    /* 28 */ "(VoDADI++) Unknown error code!",
};

// Status line templates
const char* const kStatusLineTexts[] = {
    /*  0 */ "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].",
    /*  1 */ "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].",
};

// Every code of a range has its line (the common set and the library's own
// set begin with the line of code 0).
static_assert(std::size(kCommonTexts) == 1 - kvErrCommonLast);
static_assert(std::size(kSnmpTexts) == 1 + kvErrSnmpFirst - kvErrSnmpLast);
static_assert(std::size(kSnmpV3Texts) == 1 + kvErrSnmpV3First - kvErrSnmpV3Last);
static_assert(std::size(kUsmTexts) == 1 + kvErrUsmFirst - kvErrUsmLast);
static_assert(std::size(kSnmpClassTexts) == 1 + kvErrSnmpClassFirst - kvErrSnmpClassLast);
static_assert(std::size(kKvSnmpTexts) == 2 + kvErrKvSnmpFirst - kvErrKvSnmpLast);
static_assert(std::size(kStatusLineTexts) == 2);

struct SetInfo {
    const char* fileName;
    const char* const* texts;
    int count;
};

// Indexed by KvMessageSetId.
const SetInfo kSets[kKvMessageSetCount] = {
    {"errmsg\\common.err", kCommonTexts, static_cast<int>(std::size(kCommonTexts))},
    {"errmsg\\snmp.err", kSnmpTexts, static_cast<int>(std::size(kSnmpTexts))},
    {"errmsg\\snmpv3.err", kSnmpV3Texts, static_cast<int>(std::size(kSnmpV3Texts))},
    {"errmsg\\snmpusm.err", kUsmTexts, static_cast<int>(std::size(kUsmTexts))},
    {"errmsg\\snmpclass.err", kSnmpClassTexts, static_cast<int>(std::size(kSnmpClassTexts))},
    {"errmsg\\kvsnmp.err", kKvSnmpTexts, static_cast<int>(std::size(kKvSnmpTexts))},
    {"errmsg\\snmp.msg", kStatusLineTexts, static_cast<int>(std::size(kStatusLineTexts))},
};

// Error code ranges: codes first..last map to lines 0..(first - last) of a set,
// except the common set (line = -code) and the library's own set (line =
// -code - 500, so that code 0 is line 0).
constexpr int kKvSnmpUnknownCodeLine = kvErrKvSnmpFirst + 1 - kvErrUnknownCode;

int Index(KvMessageSetId id)
{
    int i = static_cast<int>(id);
    return (i >= 0 && i < kKvMessageSetCount) ? i : 0;
}

} // namespace

KvMessageSet& KvMessages(KvMessageSetId id)
{
    // The message sets live for the whole run (created on first use).
    static KvMessageSet sets[kKvMessageSetCount] = {
        {kSets[0].texts, kSets[0].count}, {kSets[1].texts, kSets[1].count}, {kSets[2].texts, kSets[2].count},
        {kSets[3].texts, kSets[3].count}, {kSets[4].texts, kSets[4].count}, {kSets[5].texts, kSets[5].count},
        {kSets[6].texts, kSets[6].count},
    };
    return sets[Index(id)];
}

const char* KvMessageFileName(KvMessageSetId id)
{
    return kSets[Index(id)].fileName;
}

void KvResetMessageSets()
{
    for (int i = 0; i < kKvMessageSetCount; ++i)
        KvMessages(static_cast<KvMessageSetId>(i)).ResetToBuiltIns();
}

std::string KvMessageText(KvMessageSetId id, int line)
{
    return KvMessages(id).Lookup(line);
}

std::string KvErrorText(int code)
{
    if (code == kvErrOk)
        return KvMessageText(KvMessageSetId::KvSnmp, 0);
    if (code <= kvErrCommonFirst && code >= kvErrCommonLast)
        return KvMessageText(KvMessageSetId::Common, -code);
    if (code <= kvErrSnmpFirst && code >= kvErrSnmpLast)
        return KvMessageText(KvMessageSetId::Snmp, kvErrSnmpFirst - code);
    if (code <= kvErrSnmpV3First && code >= kvErrSnmpV3Last)
        return KvMessageText(KvMessageSetId::SnmpV3, kvErrSnmpV3First - code);
    if (code <= kvErrUsmFirst && code >= kvErrUsmLast)
        return KvMessageText(KvMessageSetId::Usm, kvErrUsmFirst - code);
    if (code <= kvErrSnmpClassFirst && code >= kvErrSnmpClassLast)
        return KvMessageText(KvMessageSetId::SnmpClass, kvErrSnmpClassFirst - code);
    if (code <= kvErrKvSnmpFirst && code >= kvErrKvSnmpLast)
        return KvMessageText(KvMessageSetId::KvSnmp, kvErrKvSnmpFirst + 1 - code);
    return KvMessageText(KvMessageSetId::KvSnmp, kKvSnmpUnknownCodeLine);
}

KvError KvMakeError(int code)
{
    return KvError(code, KvErrorText(code));
}

void KvRaise(int code)
{
    throw KvMakeError(code);
}

std::string KvStatusTemplate(bool afterWrite)
{
    return KvMessageText(KvMessageSetId::StatusLines, afterWrite ? 1 : 0);
}
