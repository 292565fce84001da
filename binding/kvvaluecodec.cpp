#include "binding/kvvaluecodec.h"

#include <cstdint>
#include <cstring>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"
#include "snmp/vardef.h"

namespace {

constexpr std::string_view kNullText = "(NULL)";

// --- little- and big-endian helpers -------------------------------------------

void PutLE32(KvOctets& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBE16(KvOctets& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

uint32_t GetLE32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t GetBE16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void PutDouble(KvOctets& out, double d)
{
    uint8_t raw[8];
    std::memcpy(raw, &d, sizeof raw);
    out.insert(out.end(), raw, raw + 8);
}

double GetDouble(const uint8_t* p)
{
    double d;
    std::memcpy(&d, p, sizeof d);
    return d;
}

// Width of the part of a value by code: -1 for "the rest of the value".
int PartWidth(int syntax)
{
    switch (syntax) {
    case synTruthValue:
    case synInteger:
    case synIpAddress:
    case synCounter32:
    case synGauge32:
    case synTimeTicks:
    case synNetAddress:
    case synUInteger32:
        return 4;
    case synCounter64:
    case synFloat:
    case synFloatDate:
        return 8;
    case synMacAddress:
        return 6;
    case synDateAndTime:
        return 11;
    case synTruthByte:
    case synSignedByte:
    case synUnsignedByte:
        return 1;
    case synTruthWord:
    case synUnsignedWord:
    case synUnsignedWordAlt:
        return 2;
    case synBits:
    case synOctets:
    case synOid:
    case synOpaque:
    case synDisplayString:
        return -1;
    case synNull:
        return 0;
    default:
        return -2;
    }
}

// Bytes a code needs before it can be formatted: its fixed width, or one.
size_t MinimumBytes(int syntax)
{
    const int width = PartWidth(syntax);
    return width > 0 ? static_cast<size_t>(width) : 1;
}

// --- the 11 bytes of a KvDateTime ----------------------------------------------
// As KvDateTime holds them: the year in host (little-endian) order, where the
// wire has it in network order.

KvOctets DateTimeOctets(KvDateTime dt)
{
    dt.SwapYearBytes();
    const auto octets = dt.ToOctets();
    return KvOctets(octets.begin(), octets.end());
}

KvDateTime DateTimeFromOctets(const uint8_t* p)
{
    KvDateTime dt = KvDateTime::FromOctets(p, KvDateTime::kOctets);
    dt.SwapYearBytes();
    return dt;
}

// The date-time text "y-m-d,h:n:s.d" with an optional ",+h:m" or ",-h:m",
// every field in its range.
bool IsDateTimeText(std::string_view text)
{
    std::vector<int64_t> fields;
    std::string_view rest = text;
    const char* separators = "--,::.,:";
    size_t field = 0;
    while (true) {
        size_t end = 0;
        const bool signField = field == 7;
        if (signField) {
            if (rest.empty() || (rest.front() != '+' && rest.front() != '-'))
                return false;
            rest.remove_prefix(1);
        }
        while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9')
            ++end;
        int64_t value = 0;
        if (!ReadWholeNumber(rest.substr(0, end), 0, 65535, value))
            return false;
        fields.push_back(value);
        rest.remove_prefix(end);
        if (rest.empty())
            break;
        if (field >= 8 || rest.front() != separators[field])
            return false;
        rest.remove_prefix(1);
        ++field;
    }
    if (fields.size() != 7 && fields.size() != 9)
        return false;
    const int64_t low[9] = {0, 1, 1, 0, 0, 0, 0, 0, 0};
    const int64_t high[9] = {65535, 12, 31, 23, 59, 60, 9, 13, 59};
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i] < low[i] || fields[i] > high[i])
            return false;
    return true;
}

// The whole number of `text` in [minimum, maximum]; -518 when it is not one.
int64_t EnteredNumber(std::string_view text, int64_t minimum, int64_t maximum)
{
    int64_t value = 0;
    if (!ReadWholeNumber(text, minimum, maximum, value))
        KvRaise(kvErrBadValue);
    return value;
}

} // namespace

// --- the codec ----------------------------------------------------------------------

bool IsKnownValueSyntax(int syntax)
{
    return PartWidth(syntax) != -2;
}

KvOctets ParseValueText(std::string_view text, int syntax)
{
    if (!IsKnownValueSyntax(syntax))
        KvRaise(kvErrBadSyntax);
    KvOctets out;
    if (syntax == synNull || text == kNullText)
        return out;
    switch (syntax) {
    case synTruthValue:
        PutLE32(out, text == "true" ? 1 : 0);
        break;
    case synTruthByte:
        out.push_back(text == "true" ? 1 : 0);
        break;
    case synTruthWord:
        PutBE16(out, text == "true" ? 1 : 0);
        break;
    case synInteger:
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        PutLE32(out, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case synSignedByte:
    case synUnsignedByte:
        out.push_back(static_cast<uint8_t>(ReadLeadingDecimal(text)));
        break;
    case synUnsignedWord:
    case synUnsignedWordAlt:
        PutBE16(out, static_cast<uint16_t>(ReadLeadingDecimal(text)));
        break;
    case synBits:
    case synOctets:
    case synOpaque:
    case synMacAddress:
        out = ParseHexOctets(text);
        break;
    case synOid:
        for (uint32_t arc : ReadDottedNumbers(text))
            PutLE32(out, arc);
        break;
    case synIpAddress:
    case synNetAddress:
        out = ParseDottedOctets(text);
        break;
    case synTimeTicks:
        PutLE32(out, ParseTimeTicks(text));
        break;
    case synCounter64: {
        const uint64_t value = ReadCounter64(text);
        PutLE32(out, static_cast<uint32_t>(value));
        PutLE32(out, static_cast<uint32_t>(value >> 32));
        break;
    }
    case synFloat:
        PutDouble(out, ReadLeadingReal(text));
        break;
    case synDateAndTime:
        out = DateTimeOctets(KvDateTime(std::string(text)));
        break;
    case synFloatDate:
        PutDouble(out, ParseDayCount(text));
        break;
    case synDisplayString:
        out = ParseDisplayText(text);
        break;
    }
    return out;
}

KvOctets ParseEnteredText(std::string_view text, int syntax)
{
    if (!IsKnownValueSyntax(syntax))
        KvRaise(kvErrBadSyntax);
    KvOctets out;
    if (syntax == synNull || text == kNullText)
        return out;
    switch (syntax) {
    case synTruthValue:
    case synTruthByte:
    case synTruthWord:
        if (text != "true" && text != "false")
            KvRaise(kvErrBadValue);
        return ParseValueText(text, syntax);
    case synInteger:
        PutLE32(out, static_cast<uint32_t>(EnteredNumber(text, INT32_MIN, INT32_MAX)));
        return out;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        PutLE32(out, static_cast<uint32_t>(EnteredNumber(text, 0, UINT32_MAX)));
        return out;
    case synSignedByte:
        out.push_back(static_cast<uint8_t>(EnteredNumber(text, INT8_MIN, INT8_MAX)));
        return out;
    case synUnsignedByte:
        out.push_back(static_cast<uint8_t>(EnteredNumber(text, 0, UINT8_MAX)));
        return out;
    case synUnsignedWord:
    case synUnsignedWordAlt:
        PutBE16(out, static_cast<uint16_t>(EnteredNumber(text, 0, UINT16_MAX)));
        return out;
    case synBits:
    case synOctets:
    case synOpaque:
    case synMacAddress:
        if (!ReadHexText(text, out))
            KvRaise(kvErrBadValue);
        if (syntax == synMacAddress && out.size() != 6)
            KvRaise(kvErrBadValue);
        return out;
    case synOid: {
        std::string dotted(text);
        if (!dotted.empty() && dotted.front() == '.')
            dotted.erase(0, 1);
        std::vector<uint32_t> arcs;
        if (!ParseArcs(dotted, arcs) || arcs.empty())
            KvRaise(kvErrBadValue);
        for (uint32_t arc : arcs)
            PutLE32(out, arc);
        return out;
    }
    case synIpAddress:
    case synNetAddress:
        if (!ReadIpAddressText(text, out))
            KvRaise(kvErrBadValue);
        return out;
    case synTimeTicks: {
        uint32_t ticks = 0;
        if (!ReadTimeTicksText(text, ticks))
            KvRaise(kvErrBadValue);
        PutLE32(out, ticks);
        return out;
    }
    case synCounter64: {
        uint64_t value = 0;
        if (!ReadWholeUnsigned(text, value))
            KvRaise(kvErrBadValue);
        PutLE32(out, static_cast<uint32_t>(value));
        PutLE32(out, static_cast<uint32_t>(value >> 32));
        return out;
    }
    case synFloat: {
        double value = 0;
        if (!ReadWholeReal(text, value))
            KvRaise(kvErrBadValue);
        PutDouble(out, value);
        return out;
    }
    case synDateAndTime:
        if (!IsDateTimeText(text))
            KvRaise(kvErrBadValue);
        return ParseValueText(text, syntax);
    case synFloatDate:
        return ParseValueText(text, syntax); // raises -518 for a text without a valid date
    case synDisplayString:
        return ParseDisplayText(text);
    }
    KvRaise(kvErrBadSyntax);
}

std::string FormatValueOctets(const KvOctets& octets, int syntax)
{
    if (!IsKnownValueSyntax(syntax))
        KvRaise(kvErrBadSyntax);
    if (syntax == synNull)
        return std::string(kNullText);
    if (octets.empty())
        return syntax == synDisplayString ? std::string() : std::string(kNullText);
    if (octets.size() < MinimumBytes(syntax))
        KvRaise(kvErrBadValue);
    const uint8_t* p = octets.data();
    switch (syntax) {
    case synTruthValue:
        return GetLE32(p) != 0 ? "true" : "false";
    case synTruthByte:
        return p[0] != 0 ? "true" : "false";
    case synTruthWord:
        return GetBE16(p) != 0 ? "true" : "false";
    case synInteger:
        return std::to_string(static_cast<int32_t>(GetLE32(p)));
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return std::to_string(GetLE32(p));
    case synSignedByte:
        return std::to_string(static_cast<int8_t>(p[0]));
    case synUnsignedByte:
        return std::to_string(p[0]);
    case synUnsignedWord:
    case synUnsignedWordAlt:
        return std::to_string(GetBE16(p));
    case synBits:
    case synOctets:
    case synOpaque:
    case synMacAddress:
        return FormatHexOctets(p, octets.size());
    case synOid: {
        if (octets.size() % 4 != 0)
            KvRaise(kvErrBadValue);
        std::vector<uint32_t> arcs;
        for (size_t i = 0; i < octets.size(); i += 4)
            arcs.push_back(GetLE32(p + i));
        return ArcsText(arcs);
    }
    case synIpAddress:
    case synNetAddress:
        return FormatDottedOctets(p, 4);
    case synTimeTicks:
        return FormatTimeTicks(GetLE32(p));
    case synCounter64: {
        const uint64_t value = uint64_t(GetLE32(p)) | uint64_t(GetLE32(p + 4)) << 32;
        return std::to_string(value);
    }
    case synFloat:
        return FormatReal(GetDouble(p));
    case synDateAndTime:
        return DateTimeFromOctets(p).ToText();
    case synFloatDate:
        return FormatDayCount(GetDouble(p));
    case synDisplayString:
        return FormatDisplayOctets(p, octets.size());
    }
    KvRaise(kvErrBadSyntax);
}

KvOctets ExtractPartialValue(const KvOctets& octets, int offset, int syntax)
{
    const int width = PartWidth(syntax);
    if (width == -2)
        KvRaise(kvErrBadSyntax);
    if (octets.empty())
        return {};
    if (offset < 0 || static_cast<size_t>(offset) > octets.size())
        KvRaise(kvErrOutOfRange);
    if (width == 0)
        return {};
    const size_t start = static_cast<size_t>(offset);
    const size_t length = width < 0 ? octets.size() - start : static_cast<size_t>(width);
    if (octets.size() - start < length)
        KvRaise(kvErrOutOfRange);
    return KvOctets(octets.begin() + static_cast<std::ptrdiff_t>(start),
                    octets.begin() + static_cast<std::ptrdiff_t>(start + length));
}
