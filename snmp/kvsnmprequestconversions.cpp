// Value and index conversions of KvSNMPRequest: wire values to value texts
// and back, and index values to instance sub-identifiers and back.
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestsupport.h"

#include <cstring>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "common/kvvaluetext.h"
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

using kvrequest::JoinArcs;
using kvrequest::kNotDone;
using kvrequest::kNull;
using kvrequest::RaiseStatus;

namespace {

// The four octets of an address text; -518 for anything but a dotted quad
// of parts up to 255 (never the low byte of a larger number).
std::vector<uint8_t> AddressOctets(const std::string& text)
{
    std::vector<uint8_t> octets;
    if (!ReadIpAddressText(text, octets))
        KvRaise(kvErrBadValue);
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
    return vb.tag == tagInteger || vb.tag == tagCounter32 || vb.tag == tagGauge32 || vb.tag == tagTimeTicks ||
           vb.tag == tagUInteger32 || vb.tag == tagCounter64;
}

bool HasOctets(const SnmpVb& vb)
{
    return vb.tag == tagOctets || vb.tag == tagIpAddress || vb.tag == tagOpaque || vb.tag == tagNsapAddress;
}

// Whether a received value (neither an exception nor NULL) has a type the
// syntax reads; WireText shows any other in its printable form.
bool FitsSyntax(uint32_t syntax, const SnmpVb& vb)
{
    switch (syntax) {
    case synInteger:
        return vb.tag == tagInteger;
    case synOid:
        return vb.tag == tagOid;
    case synTruthValue:
    case synCounter32:
    case synGauge32:
    case synUInteger32:
    case synTimeTicks:
    case synCounter64:
        return HasNumber(vb);
    case synNull:
        return true;
    default: // the syntaxes kept in octets
        return HasOctets(vb);
    }
}

// Consumes `count` sub-identifiers from `arcs` starting at `at`; -514 when
// the suffix is too short.
void Need(const std::vector<uint32_t>& arcs, size_t at, size_t count)
{
    if (arcs.size() < at || arcs.size() - at < count)
        KvRaise(kvErrBadKeyCount);
}

std::vector<uint8_t> OctetsOfArcs(const std::vector<uint32_t>& arcs, size_t from, size_t count)
{
    std::vector<uint8_t> octets;
    for (size_t i = from; i < from + count; ++i) {
        if (arcs[i] > 255)
            KvRaise(kvErrBadSyntax);
        octets.push_back(static_cast<uint8_t>(arcs[i]));
    }
    return octets;
}

} // namespace

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
            KvRaise(kvErrBadKeyCount);
        if (!variables.IsReadable(i))
            variables[i].lastOid = BaseOid(i) + "." + rowInstance;
        rest = DecodeIndex(i, rest);
    }
}

// ---------------------------------------------------------------------------
// Conversions

namespace {

// The text of a value whose octets have a fixed layout (address, real number,
// date); -518 when there are too few of them.
std::string PackedText(uint32_t syntax, const std::vector<uint8_t>& octets)
{
    switch (syntax) {
    case synIpAddress:
    case synNetAddress:
        if (octets.size() < 4)
            KvRaise(kvErrBadValue);
        return FormatDottedOctets(octets.data(), 4);
    case synFloat:
        if (octets.size() < 8)
            KvRaise(kvErrBadValue);
        return FormatReal(DoubleFromOctets(octets));
    case synDateAndTime:
        // A DateAndTime has 11 octets, or 8 without the offset from UTC.
        if (octets.size() < 8 || (octets.size() > 8 && octets.size() < 11))
            KvRaise(kvErrBadValue);
        return KvDateTime::FromOctets(octets.data(), octets.size()).ToText();
    default: // synFloatDate
        if (octets.size() < 8)
            KvRaise(kvErrBadValue);
        return FormatDayCount(DoubleFromOctets(octets));
    }
}

// The text of a received value (neither an exception nor NULL) by syntax; a
// value of another type than the syntax's is shown in its printable form.
std::string WireText(uint32_t syntax, const SnmpVb& vb)
{
    switch (syntax) {
    case synTruthValue:
        return HasNumber(vb) ? (vb.number != 0 ? "true" : "false") : PrintableOf(vb);
    case synInteger:
        return vb.tag == tagInteger ? std::to_string(vb.Integer()) : PrintableOf(vb);
    case synBits:
    case synOctets:
    case synOpaque:
    case synMacAddress:
        return HasOctets(vb) ? FormatHexOctets(vb.octets) : PrintableOf(vb);
    case synNull:
        return kNull;
    case synOid:
        return vb.tag == tagOid ? ArcsText(vb.arcs) : PrintableOf(vb);
    case synIpAddress:
    case synNetAddress:
    case synFloat:
    case synDateAndTime:
    case synFloatDate:
        return HasOctets(vb) ? PackedText(syntax, vb.octets) : PrintableOf(vb);
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return HasNumber(vb) ? std::to_string(vb.Unsigned()) : PrintableOf(vb);
    case synTimeTicks:
        return HasNumber(vb) ? FormatTimeTicks(vb.Unsigned()) : PrintableOf(vb);
    case synCounter64:
        return HasNumber(vb) ? std::to_string(vb.tag == tagInteger ? static_cast<uint64_t>(vb.Unsigned()) : vb.number)
                             : PrintableOf(vb);
    case synDisplayString:
        return HasOctets(vb) ? FormatDisplayOctets(vb.octets) : PrintableOf(vb);
    default:
        KvRaise(kvErrBadSyntax);
    }
}

} // namespace

void KvSNMPRequest::VbToValue(int32_t i, const SnmpVb& vb)
{
    KvSNMPVar& var = variables[i];
    var.answerUnfit = vb.IsException() || (vb.tag != tagNull && !FitsSyntax(var.syntax, vb));
    std::string text;
    if (!vb.IsException() && vb.tag != tagNull)
        text = WireText(var.syntax, vb);
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
    // The mark of a cell that was never read is no value to write.
    if (var.value == kNotDone)
        KvRaise(kvErrEmptyValue);
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
        KvRaise(kvErrBadSyntax);
    }
}

namespace {

// A key of variable length at the front of `arcs`: octets (a display string's
// characters, else hex) or an object identifier, its length first unless it
// is implied (the last key, taking the rest). Sets `used` to the
// sub-identifiers it takes.
std::string VariableKeyText(uint32_t syntax, const std::vector<uint32_t>& arcs, const std::string& suffix, bool implied,
                            size_t& used)
{
    if (syntax == synOid) {
        if (implied) {
            used = arcs.size();
            return suffix;
        }
        Need(arcs, 0, 1);
        const size_t length = arcs[0];
        Need(arcs, 1, length);
        used = 1 + length;
        return ArcsText(std::vector<uint32_t>(arcs.begin() + 1, arcs.begin() + 1 + static_cast<long>(length)));
    }
    size_t from = 0;
    size_t length = arcs.size();
    if (!implied) {
        Need(arcs, 0, 1);
        length = arcs[0];
        from = 1;
        Need(arcs, 1, length);
    }
    std::vector<uint8_t> octets = OctetsOfArcs(arcs, from, length);
    used = from + length;
    return syntax == synDisplayString ? FormatDisplayOctets(octets) : FormatHexOctets(octets);
}

// A key of fixed size at the front of `arcs`; sets `used` as above.
std::string FixedKeyText(uint32_t syntax, const std::vector<uint32_t>& arcs, size_t& used)
{
    switch (syntax) {
    case synTruthValue:
        Need(arcs, 0, 1);
        used = 1;
        return arcs[0] != 0 ? "true" : "false";
    case synInteger:
        Need(arcs, 0, 1);
        used = 1;
        return std::to_string(static_cast<int32_t>(arcs[0]));
    case synNull:
        used = 0;
        return kNull;
    case synIpAddress:
    case synNetAddress:
        // An arc above 255 is no address part (like an octet-string key).
        Need(arcs, 0, 4);
        used = 4;
        return FormatDottedOctets(OctetsOfArcs(arcs, 0, 4));
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        Need(arcs, 0, 1);
        used = 1;
        return std::to_string(arcs[0]);
    case synTimeTicks:
        Need(arcs, 0, 1);
        used = 1;
        return FormatTimeTicks(arcs[0]);
    case synCounter64:
        Need(arcs, 0, 2);
        used = 2;
        return std::to_string((static_cast<uint64_t>(arcs[0]) << 32) | arcs[1]);
    case synFloat:
        Need(arcs, 0, 2);
        used = 2;
        return FormatReal(DoubleOfBits((static_cast<uint64_t>(arcs[1]) << 32) | arcs[0]));
    case synMacAddress:
        Need(arcs, 0, 6);
        used = 6;
        return FormatHexOctets(OctetsOfArcs(arcs, 0, 6));
    case synDateAndTime: {
        Need(arcs, 0, 11);
        used = 11;
        std::vector<uint8_t> octets = OctetsOfArcs(arcs, 0, 11);
        return KvDateTime::FromOctets(octets.data(), octets.size()).ToText();
    }
    case synFloatDate:
        Need(arcs, 0, 2);
        used = 2;
        return FormatDayCount(DoubleOfBits((static_cast<uint64_t>(arcs[1]) << 32) | arcs[0]));
    default:
        KvRaise(kvErrBadSyntax);
    }
}

} // namespace

std::string KvSNMPRequest::DecodeIndex(int32_t i, const std::string& suffix)
{
    KvSNMPVar& var = variables[i];
    std::vector<uint32_t> arcs;
    if (!ParseArcs(suffix, arcs))
        KvRaise(kvErrBadKeyCount);
    const bool implied = i == variables.keyCount - 1 && variables.IsImplied(i);
    size_t used = 0;
    std::string text;
    switch (var.syntax) {
    case synBits:
    case synOctets:
    case synOpaque:
    case synDisplayString:
    case synOid:
        text = VariableKeyText(var.syntax, arcs, suffix, implied, used);
        break;
    default:
        text = FixedKeyText(var.syntax, arcs, used);
        break;
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
        KvRaise(kvErrBadSyntax);
    }
}

std::string KvSNMPRequest::WireValueText(uint32_t syntax, const SnmpVb& vb)
{
    if (vb.IsException())
        return "";
    if (vb.tag == tagNull)
        return kNull;
    try {
        return WireText(syntax, vb);
    } catch (const KvError&) {
        return PrintableOf(vb);
    }
}
