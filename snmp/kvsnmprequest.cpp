#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "common/kvdatetime.h"
#include "common/kvexpression.h"
#include "common/kvmessages.h"
#include "common/kvnumlist.h"
#include "common/kvoptionlist.h"
#include "common/kvtext.h"
#include "common/kvvaluetext.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

// Conversions by syntax code (text is the element's value; value names are
// applied after reading and before writing):
//
//  code        wire -> text                 text -> wire             index sub-ids
//  1           nonzero "true", else "false" INTEGER 1 for "true"     1
//  2           signed decimal               INTEGER                  1
//  3, 4, 68    hex of the octets            octets from hex          implied: all, else 1 + length
//  5           "(NULL)"                     NULL                     0
//  6           dotted OID                   OID                      implied: all, else 1 + length
//  64, 69      dotted quad                  IpAddress                4
//  65, 66, 71  unsigned decimal             Counter32/Gauge32/UInt32 1
//  67          time-ticks text              TimeTicks                1
//  70          decimal                      Counter64                2 (high, low)
//  72          8-octet double, printed      8 octets                 2 (low half, high half)
//  73          hex                          octets from hex          6
//  74          DateAndTime text             11 octets                11
//  75          8-octet day count, formatted 8 octets                 2 (low half, high half)
//  76          characters                   octets                   like 3
//
// Received values shorter than their syntax needs and index suffixes shorter
// than a fixed-size index are rejected; nothing is read past the end. The text
// forms are those of common/kvvaluetext.h, which the value codec shares: a day
// count outside the years 1 to 9999, and a date-time text that holds no valid
// date, raise -518 rather than stand for 1899/12/30.

namespace {

constexpr const char* kNull = "(NULL)";
constexpr const char* kNotDone = "(NOTDONE)";
constexpr int kDestroyWaitMs = 6000;

[[noreturn]] void Raise(int code)
{
    throw KvMakeError(code);
}

// Raises the mapped code of a library status.
[[noreturn]] void RaiseStatus(int status)
{
    int32_t code = 0;
    std::string message;
    KvSNMPRequest::MapStatus(status, code, message);
    throw KvError(code, message);
}

bool IsTable(uint8_t kind)
{
    return kind == kvListTable || kind == kvListTableRows;
}

SnmpEngine& Session()
{
    SnmpEngine* engine = KvSnmpSession();
    if (!engine)
        Raise(-506);
    return *engine;
}

// The four octets of an address text; -518 for anything but a dotted quad
// of parts up to 255 (never the low byte of a larger number).
std::vector<uint8_t> AddressOctets(const std::string& text)
{
    std::vector<uint8_t> octets;
    if (!ReadIpAddressText(text, octets))
        Raise(-518);
    return octets;
}

double DoubleFromOctets(const std::vector<uint8_t>& octets)
{
    double value = 0;
    std::memcpy(&value, octets.data(), sizeof value);
    return value;
}

std::vector<uint8_t> OctetsOfDouble(double value)
{
    std::vector<uint8_t> octets(sizeof value);
    std::memcpy(octets.data(), &value, sizeof value);
    return octets;
}

uint64_t BitsOfDouble(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double DoubleOfBits(uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Truncation toward zero that never overflows.
int64_t Truncate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (value <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

// A printable form for a received value whose type does not fit the syntax.
std::string PrintableOf(const SnmpVb& vb)
{
    switch (vb.tag) {
    case tagInteger:
        return std::to_string(vb.Integer());
    case tagCounter32:
    case tagGauge32:
    case tagTimeTicks:
    case tagUInteger32:
        return std::to_string(vb.Unsigned());
    case tagCounter64:
        return std::to_string(vb.number);
    case tagOid:
        return ArcsText(vb.arcs);
    case tagNull:
    case tagNoSuchObject:
    case tagNoSuchInstance:
    case tagEndOfMibView:
        return "";
    default:
        return FormatHexOctets(vb.octets);
    }
}

bool HasNumber(const SnmpVb& vb)
{
    return vb.tag == tagInteger || vb.tag == tagCounter32 || vb.tag == tagGauge32 ||
           vb.tag == tagTimeTicks || vb.tag == tagUInteger32 || vb.tag == tagCounter64;
}

bool HasOctets(const SnmpVb& vb)
{
    return vb.tag == tagOctets || vb.tag == tagIpAddress || vb.tag == tagOpaque ||
           vb.tag == tagNsapAddress;
}

// Consumes `count` sub-identifiers from `arcs` starting at `at`; -514 when
// the suffix is too short.
void Need(const std::vector<uint32_t>& arcs, size_t at, size_t count)
{
    if (arcs.size() < at || arcs.size() - at < count)
        Raise(-514);
}

std::vector<uint8_t> OctetsOfArcs(const std::vector<uint32_t>& arcs, size_t from, size_t count)
{
    std::vector<uint8_t> octets;
    for (size_t i = from; i < from + count; ++i) {
        if (arcs[i] > 255)
            Raise(-511);
        octets.push_back(static_cast<uint8_t>(arcs[i]));
    }
    return octets;
}

// True when `received` comes after `previous` in the order of object
// identifiers (arc by arc; a prefix comes first). Texts that are no dotted
// identifiers (a column reset to a base OID without an instance) only need to
// differ.
bool ComesAfter(const std::string& previous, const std::string& received)
{
    std::vector<uint32_t> before;
    std::vector<uint32_t> after;
    if (!ParseArcs(previous, before) || !ParseArcs(received, after))
        return received != previous;
    return before < after;
}

std::string JoinArcs(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + "." + b;
}

} // namespace


namespace {

// The element that binding `errorIndex` (from 1) named, or -1.
int32_t ElementOfBinding(const std::vector<int32_t>& elements, int32_t errorIndex)
{
    if (errorIndex < 1 || static_cast<size_t>(errorIndex) > elements.size())
        return -1;
    return elements[static_cast<size_t>(errorIndex - 1)];
}

} // namespace

int32_t KvSNMPRequest::VariableOfBinding(int32_t errorIndex) const
{
    return ElementOfBinding(pduVariables_, errorIndex);
}

KvSNMPRequest::KvSNMPRequest()
    : timeout(defaultTimeout),
      retries(1),
      address(KvSNMPDevice.address),
      port(KvSNMPDevice.port),
      contextEngineId(KvSNMPScope.contextEngineId),
      contextName(KvSNMPScope.contextName),
      version(KvSNMPSecurity.version),
      readCommunity(KvSNMPSecurity.readCommunity),
      writeCommunity(KvSNMPSecurity.writeCommunity),
      securityModel(KvSNMPSecurity.securityModel),
      securityLevel(KvSNMPSecurity.securityLevel),
      securityName(KvSNMPSecurity.securityName),
      authPassword(KvSNMPSecurity.authPassword),
      privPassword(KvSNMPSecurity.privPassword),
      authProtocol(KvSNMPSecurity.authProtocol),
      privProtocol(KvSNMPSecurity.privProtocol)
{
    const char* getNext = std::getenv("OSPREY_GETNEXT");
    if (getNext && *getNext && std::strcmp(getNext, "0") != 0)
        bulkWalks = false;
}

KvSNMPRequest::~KvSNMPRequest()
{
    active = false;
    destroying_ = true;
    WaitForCompletions(kDestroyWaitMs);
    // Whatever is still outstanding completes into nothing.
    for (Completion* record : outstanding_)
        record->request = nullptr;
}

bool KvSNMPRequest::WaitForCompletions(int maxMs)
{
    SnmpEngine* engine = KvSnmpSession();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
    while (pending > 0 && engine) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0)
            break;
        engine->WaitForEvents(static_cast<int>(std::min<long long>(left, 50)));
    }
    return pending <= 0;
}

void KvSNMPRequest::AbandonCompletions()
{
    for (Completion* record : outstanding_)
        record->request = nullptr;
    outstanding_.clear();
    bulk_.ahead = nullptr;
    pending = 0;
}

// ---------------------------------------------------------------------------
// Status mapping

void KvSNMPRequest::MapStatus(int status, int32_t& code, std::string& message)
{
    if (status == 0 || status == 1400 || status == -1401) {
        code = 0;
        message = KvMessageText(KvMessageSetId::KvSnmp, 0);
    } else if (status >= 1 && status <= 18) {
        code = -100 - status;
        message = KvMessageText(KvMessageSetId::Snmp, status - 1);
    } else if (status >= 1401 && status <= 1414) {
        code = 1100 - status;
        message = KvMessageText(KvMessageSetId::Usm, status - 1401);
    } else if (status >= -1418 && status <= -1402) {
        code = status + 1201;
        message = KvMessageText(KvMessageSetId::SnmpV3, -1402 - status);
    } else if (status >= -23 && status <= -1) {
        code = status - 400;
        message = KvMessageText(KvMessageSetId::SnmpClass, -1 - status);
    } else {
        code = -528;
        message = KvMessageText(KvMessageSetId::KvSnmp, 28);
    }
}

// ---------------------------------------------------------------------------
// Targets and PDUs

std::string KvSNMPRequest::BaseOid(int32_t i) const
{
    const std::string& oid = variables[i].oid;
    return variables.instance.empty() ? oid : oid + "." + variables.instance;
}

SnmpTarget KvSNMPRequest::BuildTarget()
{
    SnmpTarget target;
    target.address = address;
    target.port = port;
    if (address.empty() || address != validAddress_) {
        if (!target.IsValidAddress())
            Raise(-509);
        validAddress_ = address;
    }
    target.version = version;
    target.retries = retries;
    target.timeout = timeout;
    if (version == 3) {
        target.securityModel = securityModel;
        target.securityName = securityName;
        Session().UsmAddUserName(securityName, authProtocol, privProtocol, authPassword, privPassword);
    } else {
        target.readCommunity = readCommunity;
        target.writeCommunity = writeCommunity;
    }
    return target;
}

SnmpPdu KvSNMPRequest::BuildPdu(PduType type)
{
    SnmpPdu pdu;
    pdu.securityLevel = securityLevel;
    pdu.contextName = contextName;
    pdu.contextEngineId = contextEngineId;
    const uint8_t kind = variables.kind;
    if (kind > kvListTableRows)
        Raise(-515);
    pduVariables_.clear();
    switch (type) {
    case PduType::Get:
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsReadable(i))
                continue;
            variables[i].lastOid.clear();
            SnmpVb vb;
            vb.oid = kind == kvListScalars ? BaseOid(i) + ".0" : BaseOid(i);
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        break;
    case PduType::GetNext:
        if (!IsTable(kind))
            Raise(-510);
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsReadable(i))
                continue;
            SnmpVb vb;
            vb.oid = variables[i].lastOid;
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        break;
    case PduType::Set: {
        std::string rowInstance;
        bool haveInstance = false;
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsWritable(i))
                continue;
            if (IsTable(kind) && i < variables.keyCount)
                continue;
            SnmpVb vb;
            if (kind == kvListScalars) {
                vb.oid = BaseOid(i) + ".0";
            } else if (kind == kvListRow) {
                vb.oid = BaseOid(i);
            } else {
                if (!haveInstance) {
                    rowInstance = BuildInstance();
                    haveInstance = true;
                }
                vb.oid = BaseOid(i) + "." + rowInstance;
            }
            ValueToVb(i, vb);
            pdu.vbs.push_back(std::move(vb));
            pduVariables_.push_back(i);
        }
        // A set without a variable changes nothing and must not be reported
        // as a successful write.
        if (pdu.vbs.empty())
            RaiseStatus(snmpClassInvalidPdu);
        break;
    }
    }
    return pdu;
}

// ---------------------------------------------------------------------------
// Reading responses

KvSNMPRequest::Reading KvSNMPRequest::ReadResponse(const SnmpPdu& response, int32_t code, bool walkStep)
{
    int32_t n = 0;
    int32_t finished = 0;
    std::vector<int32_t> finishedColumns;
    std::string rowInstance;
    partialRow_ = false;
    const bool table = IsTable(variables.kind);
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (!variables.IsReadable(i))
            continue;
        if (static_cast<size_t>(n) >= response.vbs.size())
            break;   // fewer bindings than asked for: read what is there
        const SnmpVb& vb = response.vbs[static_cast<size_t>(n)];
        const std::string base = BaseOid(i);
        const std::string& received = vb.oid;
        KvSNMPVar& var = variables[i];
        if (code == -102 && table) {
            // An SNMPv1 agent ends a walk by returning the request unchanged.
            return var.lastOid == received ? Reading::WalkEnded : Reading::NoSuchName;
        }
        bool columnFinished = IsColumnFinished(base, var.lastOid, received);
        if (columnFinished) {
            ++finished;
            var.value = kNotDone;
            finishedColumns.push_back(i);
        } else {
            VbToValue(i, vb);
            var.lastOid = received;
        }
        // The row instance comes from a column that is still in its subtree
        // (a finished column's OID belongs to some other object).
        if (rowInstance.empty() && !(table && columnFinished) && received.size() > base.size())
            rowInstance = received.substr(base.size() + 1);
        ++n;
    }
    partialRow_ = finished > 0 && finished < n;
    if (finished == n)
        return Reading::AllFinished;
    if (table)
        DecodeInstance(rowInstance);
    // A finished column goes on from the row just received. (Its instance is
    // built only now: before the first row the index values are still empty,
    // and an empty address or octet index has no instance at all.)
    for (int32_t i : finishedColumns)
        variables[i].lastOid = BaseOid(i) + "." + BuildInstance();
    // Every column moves forward at each step, but a broken agent can still
    // bring a walk back to where it was (columns that end start again at the
    // current row's instance, which need not be the one received). The walk
    // ends when it would repeat itself.
    if (table && walkStep && !walkPositions_.insert(WalkPosition()).second)
        return Reading::AllFinished;
    for (int32_t i = 0; i < variables.Count(); ++i)
        ApplyExpression(i, true);
    return table ? Reading::Row : Reading::Values;
}

bool KvSNMPRequest::IsColumnFinished(const std::string& base, const std::string& previous,
                                     const std::string& received)
{
    if (!IsTable(variables.kind))
        return false;
    bool inSubtree = received.size() > base.size() && received.compare(0, base.size(), base) == 0;
    // An answer that does not come after the OID asked for (the same OID, or
    // one further back) would keep the walk going round: the column ends.
    return !(inSubtree && ComesAfter(previous, received));
}

std::string KvSNMPRequest::WalkPosition() const
{
    std::string position;
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (variables.IsReadable(i))
            position += variables[i].lastOid;
        position += ' ';
        if (i < variables.keyCount)
            position += variables[i].value;
        position += '\n';
    }
    return position;
}

std::string KvSNMPRequest::BuildInstance()
{
    std::string instance;
    for (int32_t i = 0; i < variables.keyCount && i < variables.Count(); ++i)
        instance = JoinArcs(instance, EncodeIndex(i));
    return instance;
}

void KvSNMPRequest::DecodeInstance(const std::string& rowInstance)
{
    std::string rest = rowInstance;
    for (int32_t i = 0; i < variables.keyCount; ++i) {
        if (rest.empty() || i >= variables.Count())
            Raise(-514);
        if (!variables.IsReadable(i))
            variables[i].lastOid = BaseOid(i) + "." + rowInstance;
        rest = DecodeIndex(i, rest);
    }
}

// ---------------------------------------------------------------------------
// Conversions

void KvSNMPRequest::VbToValue(int32_t i, const SnmpVb& vb)
{
    KvSNMPVar& var = variables[i];
    std::string text;
    if (vb.IsException() || vb.tag == tagNull) {
        text = "";
    } else {
        switch (var.syntax) {
        case synTruthValue:
            text = HasNumber(vb) ? (vb.number != 0 ? "true" : "false") : PrintableOf(vb);
            break;
        case synInteger:
            text = vb.tag == tagInteger ? std::to_string(vb.Integer()) : PrintableOf(vb);
            break;
        case synBits:
        case synOctets:
        case synOpaque:
        case synMacAddress:
            text = HasOctets(vb) ? FormatHexOctets(vb.octets) : PrintableOf(vb);
            break;
        case synNull:
            text = kNull;
            break;
        case synOid:
            text = vb.tag == tagOid ? ArcsText(vb.arcs) : PrintableOf(vb);
            break;
        case synIpAddress:
        case synNetAddress:
            if (HasOctets(vb)) {
                if (vb.octets.size() < 4)
                    Raise(-518);
                text = FormatDottedOctets(vb.octets.data(), 4);
            } else {
                text = PrintableOf(vb);
            }
            break;
        case synCounter32:
        case synGauge32:
        case synUInteger32:
            text = HasNumber(vb) ? std::to_string(vb.Unsigned()) : PrintableOf(vb);
            break;
        case synTimeTicks:
            text = HasNumber(vb) ? FormatTimeTicks(vb.Unsigned()) : PrintableOf(vb);
            break;
        case synCounter64:
            text = HasNumber(vb) ? std::to_string(vb.tag == tagInteger ? static_cast<uint64_t>(vb.Unsigned())
                                                                       : vb.number)
                                 : PrintableOf(vb);
            break;
        case synFloat:
            if (HasOctets(vb)) {
                if (vb.octets.size() < 8)
                    Raise(-518);
                text = FormatReal(DoubleFromOctets(vb.octets));
            } else {
                text = PrintableOf(vb);
            }
            break;
        case synDateAndTime:
            if (HasOctets(vb)) {
                // A DateAndTime has 11 octets, or 8 without the offset from UTC.
                if (vb.octets.size() < 8 || (vb.octets.size() > 8 && vb.octets.size() < 11))
                    Raise(-518);
                text = KvDateTime::FromOctets(vb.octets.data(), vb.octets.size()).ToText();
            } else {
                text = PrintableOf(vb);
            }
            break;
        case synFloatDate:
            if (HasOctets(vb)) {
                if (vb.octets.size() < 8)
                    Raise(-518);
                text = FormatDayCount(DoubleFromOctets(vb.octets));
            } else {
                text = PrintableOf(vb);
            }
            break;
        case synDisplayString:
            text = HasOctets(vb) ? FormatDisplayOctets(vb.octets) : PrintableOf(vb);
            break;
        default:
            Raise(-511);
        }
    }
    const uint32_t s = var.syntax;
    if (text.empty() && s != synBits && s != synOctets && s != synOpaque && s != synMacAddress)
        text = s == synDisplayString ? "" : kNull;
    if (vb.IsException() && s != synDisplayString)
        text = kNull;
    if (var.options)
        text = var.options->ValueToLabel(text);
    var.value = text;
}

void KvSNMPRequest::ValueToVb(int32_t i, SnmpVb& vb)
{
    const KvSNMPVar& var = variables[i];
    std::string text = var.options ? var.options->LabelToValue(var.value) : var.value;
    if (text == kNull) {
        vb.SetNull();
        return;
    }
    switch (var.syntax) {
    case synTruthValue:
        vb.SetInteger(text == "true" ? 1 : 0);
        break;
    case synInteger:
        vb.SetInteger(static_cast<int32_t>(ReadLeadingDecimal(text)));
        break;
    case synBits:
    case synOctets:
    case synMacAddress:
        vb.SetOctets(tagOctets, ParseHexOctets(text));
        break;
    case synOpaque:
        vb.SetOctets(tagOpaque, ParseHexOctets(text));
        break;
    case synNull:
        vb.SetNull();
        break;
    case synOid: {
        std::vector<uint32_t> arcs;
        if (!ParseArcs(text, arcs) || arcs.empty())
            RaiseStatus(snmpClassInvalidOid);
        vb.SetObjectId(std::move(arcs));
        break;
    }
    case synIpAddress:
    case synNetAddress:
        vb.SetOctets(tagIpAddress, AddressOctets(text));
        break;
    case synCounter32:
        vb.SetUnsigned(tagCounter32, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case synGauge32:
        vb.SetUnsigned(tagGauge32, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case synUInteger32:
        vb.SetUnsigned(tagUInteger32, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case synTimeTicks:
        vb.SetUnsigned(tagTimeTicks, ParseTimeTicks(text));
        break;
    case synCounter64:
        vb.SetCounter64(ReadCounter64(text));
        break;
    case synFloat:
        vb.SetOctets(tagOctets, OctetsOfDouble(ReadLeadingReal(text)));
        break;
    case synDateAndTime: {
        auto octets = KvDateTime(text).ToOctets();
        vb.SetOctets(tagOctets, std::vector<uint8_t>(octets.begin(), octets.end()));
        break;
    }
    case synFloatDate:
        vb.SetOctets(tagOctets, OctetsOfDouble(ParseDayCount(text)));
        break;
    case synDisplayString:
        vb.SetOctets(tagOctets, ParseDisplayText(text));
        break;
    default:
        Raise(-511);
    }
}

std::string KvSNMPRequest::DecodeIndex(int32_t i, const std::string& suffix)
{
    KvSNMPVar& var = variables[i];
    std::vector<uint32_t> arcs;
    if (!ParseArcs(suffix, arcs))
        Raise(-514);
    const bool implied = i == variables.keyCount - 1 && variables.IsImplied(i);
    size_t used = 0;
    std::string text;
    switch (var.syntax) {
    case synTruthValue:
        Need(arcs, 0, 1);
        text = arcs[0] != 0 ? "true" : "false";
        used = 1;
        break;
    case synInteger:
        Need(arcs, 0, 1);
        text = std::to_string(static_cast<int32_t>(arcs[0]));
        used = 1;
        break;
    case synBits:
    case synOctets:
    case synOpaque:
    case synDisplayString: {
        size_t from = 0;
        size_t length = arcs.size();
        if (!implied) {
            Need(arcs, 0, 1);
            length = arcs[0];
            from = 1;
            Need(arcs, 1, length);
        }
        std::vector<uint8_t> octets = OctetsOfArcs(arcs, from, length);
        text = var.syntax == synDisplayString ? FormatDisplayOctets(octets) : FormatHexOctets(octets);
        used = from + length;
        break;
    }
    case synNull:
        text = kNull;
        used = 0;
        break;
    case synOid: {
        if (implied) {
            text = suffix;
            used = arcs.size();
        } else {
            Need(arcs, 0, 1);
            size_t length = arcs[0];
            Need(arcs, 1, length);
            text = ArcsText(std::vector<uint32_t>(arcs.begin() + 1, arcs.begin() + 1 + static_cast<long>(length)));
            used = 1 + length;
        }
        break;
    }
    case synIpAddress:
    case synNetAddress:
        // An arc above 255 is no address part (like an octet-string key).
        Need(arcs, 0, 4);
        text = FormatDottedOctets(OctetsOfArcs(arcs, 0, 4));
        used = 4;
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        Need(arcs, 0, 1);
        text = std::to_string(arcs[0]);
        used = 1;
        break;
    case synTimeTicks:
        Need(arcs, 0, 1);
        text = FormatTimeTicks(arcs[0]);
        used = 1;
        break;
    case synCounter64:
        Need(arcs, 0, 2);
        text = std::to_string((static_cast<uint64_t>(arcs[0]) << 32) | arcs[1]);
        used = 2;
        break;
    case synFloat:
        Need(arcs, 0, 2);
        text = FormatReal(DoubleOfBits((static_cast<uint64_t>(arcs[1]) << 32) | arcs[0]));
        used = 2;
        break;
    case synMacAddress:
        Need(arcs, 0, 6);
        text = FormatHexOctets(OctetsOfArcs(arcs, 0, 6));
        used = 6;
        break;
    case synDateAndTime: {
        Need(arcs, 0, 11);
        std::vector<uint8_t> octets = OctetsOfArcs(arcs, 0, 11);
        text = KvDateTime::FromOctets(octets.data(), octets.size()).ToText();
        used = 11;
        break;
    }
    case synFloatDate:
        Need(arcs, 0, 2);
        text = FormatDayCount(DoubleOfBits((static_cast<uint64_t>(arcs[1]) << 32) | arcs[0]));
        used = 2;
        break;
    default:
        Raise(-511);
    }
    if (var.options)
        text = var.options->ValueToLabel(text);
    var.value = text;
    const auto rest = arcs.begin() + static_cast<std::ptrdiff_t>(used);
    var.decodedIndex = KvSNMPVar::DecodedIndex{text, ArcsText(std::vector<uint32_t>(arcs.begin(), rest))};
    return ArcsText(arcs, used);
}

std::string KvSNMPRequest::EncodeIndex(int32_t i)
{
    const KvSNMPVar& var = variables[i];
    // A key as it was received addresses its row as the agent named it.
    if (var.decodedIndex && var.decodedIndex->value == var.value)
        return var.decodedIndex->arcs;
    const std::string text = var.options ? var.options->LabelToValue(var.value) : var.value;
    const bool implied = i == variables.keyCount - 1 && variables.IsImplied(i);
    auto halves = [](uint64_t bits) {
        return std::to_string(static_cast<uint32_t>(bits & 0xFFFFFFFFu)) + "." +
               std::to_string(static_cast<uint32_t>(bits >> 32));
    };
    switch (var.syntax) {
    case synTruthValue:
        return text == "true" ? "1" : "0";
    case synInteger:
        return std::to_string(static_cast<uint32_t>(static_cast<int32_t>(ReadLeadingDecimal(text))));
    case synBits:
    case synOctets:
    case synOpaque:
    case synDisplayString: {
        std::vector<uint8_t> octets = var.syntax == synDisplayString ? ParseDisplayText(text) : ParseHexOctets(text);
        std::string arcs = FormatDottedOctets(octets);
        return implied ? arcs : JoinArcs(std::to_string(octets.size()), arcs);
    }
    case synNull:
        return "";
    case synOid: {
        std::vector<uint32_t> arcs;
        if (!ParseArcs(text, arcs))
            RaiseStatus(snmpClassInvalidOid);
        return implied ? ArcsText(arcs) : JoinArcs(std::to_string(arcs.size()), ArcsText(arcs));
    }
    case synIpAddress:
    case synNetAddress:
        // The key of a row not read yet (or of a finished column) stays as
        // the lenient reading gives it; any other text must be an address.
        if (text.empty() || text == kNull || text == kNotDone)
            return FormatDottedOctets(ParseDottedOctets(text));
        return FormatDottedOctets(AddressOctets(text));
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return std::to_string(static_cast<uint32_t>(ReadLeadingDecimal(text)));
    case synTimeTicks:
        return std::to_string(ParseTimeTicks(text));
    case synCounter64: {
        uint64_t v = ReadCounter64(text);
        return std::to_string(static_cast<uint32_t>(v >> 32)) + "." +
               std::to_string(static_cast<uint32_t>(v & 0xFFFFFFFFu));
    }
    case synFloat:
        return halves(BitsOfDouble(ReadLeadingReal(text)));
    case synMacAddress: {
        std::vector<uint8_t> octets = ParseHexOctets(text);
        if (octets.size() < 6)
            return "";
        octets.resize(6);
        return FormatDottedOctets(octets);
    }
    case synDateAndTime: {
        auto octets = KvDateTime(text).ToOctets();
        return FormatDottedOctets(octets.data(), octets.size());
    }
    case synFloatDate:
        return halves(BitsOfDouble(ParseDayCount(text)));
    default:
        Raise(-511);
    }
}

// ---------------------------------------------------------------------------
// Expressions and conditions

std::string KvSNMPRequest::SubstituteVariables(const std::string& expression, bool quote,
                                               const std::string& marker)
{
    if (marker.empty())
        return expression;
    std::string text = expression;
    size_t from = 0;
    while (true) {
        size_t at = text.find(marker, from);
        if (at == std::string::npos)
            break;
        size_t digitsEnd = at + marker.size();
        while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9')
            ++digitsEnd;
        const std::string digits = text.substr(at + marker.size(), digitsEnd - at - marker.size());
        if (digits.empty() || digits.size() > 9)
            Raise(-511);
        const int32_t n = std::stoi(digits);
        if (n >= variables.Count())
            Raise(-511);
        const KvSNMPVar& var = variables[n];
        const std::string value = var.options ? var.options->LabelToValue(var.value) : var.value;
        if (value == kNull)
            Raise(-512);
        std::string replacement;
        switch (var.syntax) {
        case synTruthValue:
        case 193:
        case 196:
            replacement = value == "true" ? "1" : "0";
            break;
        case synInteger:
        case synCounter32:
        case synGauge32:
        case synCounter64:
        case synUInteger32:
        case synFloat:
        case 194:
        case 195:
        case 197:
        case 198:
            replacement = value;
            break;
        case synTimeTicks:
            replacement = std::to_string(ParseTimeTicks(value));
            break;
        case synFloatDate:
            replacement = FormatNumber(ParseDayCount(value));
            break;
        default:
            if (!quote)
                Raise(-513);
            replacement = "\"" + value + "\"";
            break;
        }
        text.replace(at, digitsEnd - at, replacement);
        // Go on after the value: a value may itself contain the marker.
        from = at + replacement.size();
    }
    return text;
}

void KvSNMPRequest::ApplyExpression(int32_t i, bool afterRead)
{
    KvSNMPVar& var = variables[i];
    const std::string& expression = afterRead ? var.getExpression : var.setExpression;
    if (expression.empty())
        return;
    const double number = EvaluateNumber(SubstituteVariables(expression, false, "$"));
    std::string text;
    switch (var.syntax) {
    case synTruthValue:
        text = number != 0 ? "true" : "false";
        break;
    case synInteger:
        text = std::to_string(static_cast<int32_t>(Truncate(number)));
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        text = std::to_string(static_cast<uint32_t>(Truncate(number)));
        break;
    case synTimeTicks:
        text = FormatTimeTicks(static_cast<uint32_t>(Truncate(number)));
        break;
    case synCounter64:
        text = std::to_string(number <= 0 ? 0 : static_cast<uint64_t>(Truncate(number)));
        break;
    case synFloat:
        text = FormatReal(number);
        break;
    case synFloatDate:
        text = FormatDayCount(number);
        break;
    default:
        Raise(-513);
    }
    if (var.options)
        text = var.options->ValueToLabel(text);
    var.value = text;
}

bool KvSNMPRequest::EvaluateCondition(const std::string& condition)
{
    if (condition.empty())
        return true;
    return EvaluateLogic(SubstituteVariables(condition, true, "$"));
}

bool KvSNMPRequest::CheckRowCondition()
{
    return EvaluateCondition(rowCondition);
}

bool KvSNMPRequest::CheckCondition(const std::string& condition)
{
    return EvaluateCondition(condition);
}

// ---------------------------------------------------------------------------
// Operations

bool KvSNMPRequest::Fetch(bool firstRow)
{
    if (!active)
        return false;
    const bool table = IsTable(variables.kind);
    if (firstRow) {
        walkPositions_.clear();
        StartWalk();
    }
    SnmpPdu pdu;
    int status = 0;
    if (table && !firstRow && !bulk_.rows.empty()) {
        // The next row of the last GETBULK.
        pdu = std::move(bulk_.rows.front());
        bulk_.rows.pop_front();
    } else {
        for (;;) {
            SnmpTarget target = BuildTarget();
            pdu = BuildPdu(firstRow ? PduType::Get : PduType::GetNext);
            if (!table) {
                status = Session().Get(pdu, target);
                break;
            }
            if (!BulkStep()) {
                status = Session().GetNext(pdu, target);
                break;
            }
            pdu.maxRepetitions = bulk_.repetitions;
            status = Session().GetBulk(pdu, target);
            if (status >= 1 && status <= 18) {
                BulkRefused(status);
                continue;
            }
            if (status != 0)
                break;
            bulk_.rows = SplitBulkRows(pdu);
            if (bulk_.rows.empty()) {
                BulkRefused(0);
                continue;
            }
            pdu = std::move(bulk_.rows.front());
            bulk_.rows.pop_front();
            break;
        }
    }
    int32_t code = 0;
    std::string message;
    MapStatus(status, code, message);
    if (code != 0 && !(code == -102 && table))
        throw KvSNMPResponseError(code, message, pdu.errorIndex, VariableOfBinding(pdu.errorIndex));
    const Reading reading = ReadResponse(pdu, code, true);
    if (reading != Reading::Row) {
        walkPositions_.clear();
        DropBulkRows();
    } else if (partialRow_) {
        DropBulkRows();
    }
    switch (reading) {
    case Reading::Row:
        return true;
    case Reading::NoSuchName:
        throw KvError(code, message);
    default:
        return false;
    }
}

void KvSNMPRequest::SendAsync(PduType type, CompletionCallback callback, void* context,
                              bool readValues)
{
    SnmpTarget target = BuildTarget();
    SnmpPdu pdu = BuildPdu(type);
    auto record = std::make_unique<Completion>(
        Completion{this, callback, context, readValues, type != PduType::Set, pduVariables_});
    SnmpEngine& engine = Session();
    int status;
    if (type == PduType::Set)
        status = engine.Set(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    else if (IsTable(variables.kind))
        status = engine.GetNext(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    else
        status = engine.Get(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    if (status != 0)
        RaiseStatus(status);
    outstanding_.insert(record.release());
    ++pending;
}

void KvSNMPRequest::FetchAsync(CompletionCallback callback, void* context, bool firstRow)
{
    if (!active)
        return;
    if (!IsTable(variables.kind)) {
        SendAsync(PduType::Get, callback, context, true);
        return;
    }
    if (firstRow) {
        walkPositions_.clear();
        StartWalk();
    } else if (!bulk_.rows.empty()) {
        // The next row of the last GETBULK follows as a completion of its own.
        auto record = std::make_unique<Completion>(Completion{this, callback, context, true, true});
        record->walk = bulk_.walk;
        record->batch = bulk_.batch;
        record->buffered = true;
        SnmpPdu row = std::move(bulk_.rows.front());
        bulk_.rows.pop_front();
        Session().Post(&KvSNMPRequest::OnResponse, record.get(), std::move(row), bulk_.target);
        outstanding_.insert(record.release());
        ++pending;
        return;
    } else if (bulk_.ahead) {
        // The GETBULK sent ahead brings the next rows.
        bulk_.ahead->callback = callback;
        bulk_.ahead->context = context;
        return;
    }
    SendWalkStep(callback, context, firstRow);
}

void KvSNMPRequest::SelectColumns(const std::string& columns)
{
    if (columns.empty())
        return;
    KvNumList<int32_t> list(',');
    list.Parse(columns);
    for (int32_t i = 0; i < variables.Count(); ++i) {
        if (list.IndexOf(i) < 0)
            variables[i].access |= accSkip;
        else
            variables[i].access &= ~static_cast<uint32_t>(accSkip);
    }
}

bool KvSNMPRequest::Store(bool readBack, const std::string& columns)
{
    if (!active)
        return false;
    const KvSNMPVarList saved(variables);
    SnmpTarget target;
    SnmpPdu pdu;
    try {
        SelectColumns(columns);
        for (int32_t i = 0; i < variables.Count(); ++i)
            ApplyExpression(i, false);
        target = BuildTarget();
        pdu = BuildPdu(PduType::Set);
    } catch (...) {
        // The column selection never outlives the call.
        variables = saved;
        throw;
    }
    variables = saved;
    int status = Session().Set(pdu, target);
    int32_t code = 0;
    std::string message;
    MapStatus(status, code, message);
    if (code != 0)
        throw KvSNMPResponseError(code, message, pdu.errorIndex, VariableOfBinding(pdu.errorIndex));
    if (!readBack)
        return false;
    return ReadResponse(pdu, code, false) == Reading::Row;
}

void KvSNMPRequest::StoreAsync(CompletionCallback callback, void* context, bool readBack,
                               const std::string& columns)
{
    if (!active)
        return;
    const KvSNMPVarList saved(variables);
    try {
        SelectColumns(columns);
        for (int32_t i = 0; i < variables.Count(); ++i)
            ApplyExpression(i, false);
        SendAsync(PduType::Set, callback, context, readBack);
    } catch (...) {
        variables = saved;
        throw;
    }
    variables = saved;
}

void KvSNMPRequest::OnResponse(int reason, SnmpEngine&, SnmpPdu& response,
                               const SnmpTarget& target, void* data)
{
    std::unique_ptr<Completion> record(static_cast<Completion*>(data));
    if (!record->request)
        return;   // the request was destroyed while this was outstanding
    record->request->Complete(reason, response, target, *record);
}

void KvSNMPRequest::Complete(int reason, SnmpPdu& response, const SnmpTarget& target,
                             Completion& record)
{
    outstanding_.erase(&record);
    if (reason == snmpReasonSessionClosed) {
        if (&record == bulk_.ahead)
            bulk_.ahead = nullptr;
        --pending;
        return;
    }
    if ((record.bulk || record.buffered) && TakeBulkCompletion(reason, response, target, record))
        return;

    KvSNMPError error;
    const int status = reason == snmpReasonTimeout ? snmpClassTimeout : response.errorStatus;
    MapStatus(status, error.code, error.message);
    error.errorIndex = response.errorIndex;
    if (error.code != 0)
        error.errorVariable = ElementOfBinding(record.bindingVariables, response.errorIndex);
    error.agentAddress = target.address;
    error.agentPort = target.port;

    const bool table = IsTable(variables.kind);
    if ((error.code == 0 && record.readValues) || (error.code == -102 && table)) {
        error.finished = false;
        try {
            switch (ReadResponse(response, error.code, record.walkStep)) {
            case Reading::WalkEnded:
                error.code = 0;
                error.message = KvMessageText(KvMessageSetId::KvSnmp, 0);
                error.finished = true;
                break;
            case Reading::NoSuchName:
            case Reading::AllFinished:
            case Reading::Values:
                error.finished = true;
                break;
            case Reading::Row:
                break;
            }
        } catch (const KvError& e) {
            // A value that cannot be converted ends the operation with its code.
            error.code = e.code();
            error.message = e.message();
            error.finished = true;
        } catch (const std::exception&) {
            MapStatus(-528, error.code, error.message);
            error.finished = true;
        }
    } else {
        error.finished = true;
    }
    if (error.finished && record.walkStep) {
        walkPositions_.clear();
        DropBulkRows();
    } else if (record.walkStep && partialRow_) {
        DropBulkRows();
    }
    // Counted off before the callback runs: the owner may take the request
    // apart from inside its callback.
    --pending;
    if (destroying_ || !record.callback)
        return;
    record.callback(record.context, error, variables);
}
