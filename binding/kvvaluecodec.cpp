#include "binding/kvvaluecodec.h"

#include <cstdint>
#include <cstring>

#include "common/kvdatetime.h"
#include "common/kvmessages.h"

namespace {


constexpr std::string_view kNullText = "(NULL)";

// --- little- and big-endian helpers -------------------------------------------

void PutLE32(KvOctets& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBE16(KvOctets& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

uint32_t GetLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t GetBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void PutDouble(KvOctets& out, double d) {
    uint8_t raw[8];
    std::memcpy(raw, &d, sizeof raw);
    out.insert(out.end(), raw, raw + 8);
}

double GetDouble(const uint8_t* p) {
    double d;
    std::memcpy(&d, p, sizeof d);
    return d;
}

// Width of the part of a value by code: -1 for "the rest of the value".
int PartWidth(int syntax) {
    switch (syntax) {
    case 1: case 2: case 64: case 65: case 66: case 67: case 69: case 71: return 4;
    case 70: case 72: case 75: return 8;
    case 73: return 6;
    case 74: return 11;
    case 193: case 194: case 195: return 1;
    case 196: case 197: case 198: return 2;
    case 3: case 4: case 6: case 68: case 76: return -1;
    case 5: return 0;
    default: return -2;
    }
}

// Bytes a code needs before it can be formatted.
size_t MinimumBytes(int syntax) {
    switch (syntax) {
    case 1: case 2: case 65: case 66: case 71: case 64: case 69: case 67: return 4;
    case 193: case 194: case 195: return 1;
    case 196: case 197: case 198: return 2;
    case 70: case 72: case 75: return 8;
    case 73: return 6;
    case 74: return 11;
    default: return 1;
    }
}

// --- the 11 bytes of a KvDateTime ----------------------------------------------
// As KvDateTime holds them: the year in host (little-endian) order, where the
// wire has it in network order.

KvOctets DateTimeOctets(KvDateTime dt) {
    dt.SwapYearBytes();
    const auto octets = dt.ToOctets();
    return KvOctets(octets.begin(), octets.end());
}

KvDateTime DateTimeFromOctets(const uint8_t* p) {
    KvDateTime dt = KvDateTime::FromOctets(p, KvDateTime::kOctets);
    dt.SwapYearBytes();
    return dt;
}

// The date-time text "y-m-d,h:n:s.d" with an optional ",+h:m" or ",-h:m",
// every field in its range.
bool IsDateTimeText(std::string_view text) {
    std::vector<int64_t> fields;
    std::string_view rest = text;
    const char* separators = "--,::.,:";
    size_t field = 0;
    while (true) {
        size_t end = 0;
        const bool signField = field == 7;
        if (signField) {
            if (rest.empty() || (rest.front() != '+' && rest.front() != '-')) return false;
            rest.remove_prefix(1);
        }
        while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9') ++end;
        int64_t value = 0;
        if (!ReadWholeNumber(rest.substr(0, end), 0, 65535, value)) return false;
        fields.push_back(value);
        rest.remove_prefix(end);
        if (rest.empty()) break;
        if (field >= 8 || rest.front() != separators[field]) return false;
        rest.remove_prefix(1);
        ++field;
    }
    if (fields.size() != 7 && fields.size() != 9) return false;
    const int64_t low[9] = {0, 1, 1, 0, 0, 0, 0, 0, 0};
    const int64_t high[9] = {65535, 12, 31, 23, 59, 60, 9, 13, 59};
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i] < low[i] || fields[i] > high[i]) return false;
    return true;
}

// The whole number of `text` in [minimum, maximum]; -518 when it is not one.
int64_t EnteredNumber(std::string_view text, int64_t minimum, int64_t maximum) {
    int64_t value = 0;
    if (!ReadWholeNumber(text, minimum, maximum, value)) KvRaise(kvErrBadValue);
    return value;
}

}  // namespace

// --- the codec ----------------------------------------------------------------------

bool IsKnownValueSyntax(int syntax) { return PartWidth(syntax) != -2; }

KvOctets ParseValueText(std::string_view text, int syntax) {
    if (!IsKnownValueSyntax(syntax)) KvRaise(kvErrBadSyntax);
    KvOctets out;
    if (syntax == 5 || text == kNullText) return out;
    switch (syntax) {
    case 1:
        PutLE32(out, text == "true" ? 1 : 0);
        break;
    case 193:
        out.push_back(text == "true" ? 1 : 0);
        break;
    case 196:
        PutBE16(out, text == "true" ? 1 : 0);
        break;
    case 2: case 65: case 66: case 71:
        PutLE32(out, static_cast<uint32_t>(ReadLeadingDecimal(text)));
        break;
    case 194: case 195:
        out.push_back(static_cast<uint8_t>(ReadLeadingDecimal(text)));
        break;
    case 197: case 198:
        PutBE16(out, static_cast<uint16_t>(ReadLeadingDecimal(text)));
        break;
    case 3: case 4: case 68: case 73:
        out = ParseHexOctets(text);
        break;
    case 6:
        for (uint32_t arc : ReadDottedNumbers(text)) PutLE32(out, arc);
        break;
    case 64: case 69:
        out = ParseDottedOctets(text);
        break;
    case 67:
        PutLE32(out, ParseTimeTicks(text));
        break;
    case 70: {
        const uint64_t value = ReadCounter64(text);
        PutLE32(out, static_cast<uint32_t>(value));
        PutLE32(out, static_cast<uint32_t>(value >> 32));
        break;
    }
    case 72:
        PutDouble(out, ReadLeadingReal(text));
        break;
    case 74:
        out = DateTimeOctets(KvDateTime(std::string(text)));
        break;
    case 75:
        PutDouble(out, ParseDayCount(text));
        break;
    case 76:
        out = ParseDisplayText(text);
        break;
    }
    return out;
}

KvOctets ParseEnteredText(std::string_view text, int syntax) {
    if (!IsKnownValueSyntax(syntax)) KvRaise(kvErrBadSyntax);
    KvOctets out;
    if (syntax == 5 || text == kNullText) return out;
    switch (syntax) {
    case 1: case 193: case 196:
        if (text != "true" && text != "false") KvRaise(kvErrBadValue);
        return ParseValueText(text, syntax);
    case 2:
        PutLE32(out, static_cast<uint32_t>(EnteredNumber(text, INT32_MIN, INT32_MAX)));
        return out;
    case 65: case 66: case 71:
        PutLE32(out, static_cast<uint32_t>(EnteredNumber(text, 0, UINT32_MAX)));
        return out;
    case 194:
        out.push_back(static_cast<uint8_t>(EnteredNumber(text, INT8_MIN, INT8_MAX)));
        return out;
    case 195:
        out.push_back(static_cast<uint8_t>(EnteredNumber(text, 0, UINT8_MAX)));
        return out;
    case 197: case 198:
        PutBE16(out, static_cast<uint16_t>(EnteredNumber(text, 0, UINT16_MAX)));
        return out;
    case 3: case 4: case 68: case 73:
        if (!ReadHexText(text, out)) KvRaise(kvErrBadValue);
        if (syntax == 73 && out.size() != 6) KvRaise(kvErrBadValue);
        return out;
    case 6: {
        std::string dotted(text);
        if (!dotted.empty() && dotted.front() == '.') dotted.erase(0, 1);
        std::vector<uint32_t> arcs;
        if (!ParseArcs(dotted, arcs) || arcs.empty()) KvRaise(kvErrBadValue);
        for (uint32_t arc : arcs) PutLE32(out, arc);
        return out;
    }
    case 64: case 69:
        if (!ReadIpAddressText(text, out)) KvRaise(kvErrBadValue);
        return out;
    case 67: {
        uint32_t ticks = 0;
        if (!ReadTimeTicksText(text, ticks)) KvRaise(kvErrBadValue);
        PutLE32(out, ticks);
        return out;
    }
    case 70: {
        uint64_t value = 0;
        if (!ReadWholeUnsigned(text, value)) KvRaise(kvErrBadValue);
        PutLE32(out, static_cast<uint32_t>(value));
        PutLE32(out, static_cast<uint32_t>(value >> 32));
        return out;
    }
    case 72: {
        double value = 0;
        if (!ReadWholeReal(text, value)) KvRaise(kvErrBadValue);
        PutDouble(out, value);
        return out;
    }
    case 74:
        if (!IsDateTimeText(text)) KvRaise(kvErrBadValue);
        return ParseValueText(text, syntax);
    case 75:
        return ParseValueText(text, syntax);   // raises -518 for a text without a valid date
    case 76:
        return ParseDisplayText(text);
    }
    KvRaise(kvErrBadSyntax);
}

std::string FormatValueOctets(const KvOctets& octets, int syntax) {
    if (!IsKnownValueSyntax(syntax)) KvRaise(kvErrBadSyntax);
    if (syntax == 5) return std::string(kNullText);
    if (octets.empty()) return syntax == 76 ? std::string() : std::string(kNullText);
    if (octets.size() < MinimumBytes(syntax)) KvRaise(kvErrBadValue);
    const uint8_t* p = octets.data();
    switch (syntax) {
    case 1:
        return GetLE32(p) != 0 ? "true" : "false";
    case 193:
        return p[0] != 0 ? "true" : "false";
    case 196:
        return GetBE16(p) != 0 ? "true" : "false";
    case 2:
        return std::to_string(static_cast<int32_t>(GetLE32(p)));
    case 65: case 66: case 71:
        return std::to_string(GetLE32(p));
    case 194:
        return std::to_string(static_cast<int8_t>(p[0]));
    case 195:
        return std::to_string(p[0]);
    case 197: case 198:
        return std::to_string(GetBE16(p));
    case 3: case 4: case 68: case 73:
        return FormatHexOctets(p, octets.size());
    case 6: {
        if (octets.size() % 4 != 0) KvRaise(kvErrBadValue);
        std::vector<uint32_t> arcs;
        for (size_t i = 0; i < octets.size(); i += 4) arcs.push_back(GetLE32(p + i));
        return ArcsText(arcs);
    }
    case 64: case 69:
        return FormatDottedOctets(p, 4);
    case 67:
        return FormatTimeTicks(GetLE32(p));
    case 70: {
        const uint64_t value = uint64_t(GetLE32(p)) | uint64_t(GetLE32(p + 4)) << 32;
        return std::to_string(value);
    }
    case 72:
        return FormatReal(GetDouble(p));
    case 74:
        return DateTimeFromOctets(p).ToText();
    case 75:
        return FormatDayCount(GetDouble(p));
    case 76:
        return FormatDisplayOctets(p, octets.size());
    }
    KvRaise(kvErrBadSyntax);
}

KvOctets ExtractPartialValue(const KvOctets& octets, int offset, int syntax) {
    const int width = PartWidth(syntax);
    if (width == -2) KvRaise(kvErrBadSyntax);
    if (octets.empty()) return {};
    if (offset < 0 || static_cast<size_t>(offset) > octets.size()) KvRaise(kvErrOutOfRange);
    if (width == 0) return {};
    const size_t start = static_cast<size_t>(offset);
    const size_t length = width < 0 ? octets.size() - start : static_cast<size_t>(width);
    if (octets.size() - start < length) KvRaise(kvErrOutOfRange);
    return KvOctets(octets.begin() + static_cast<std::ptrdiff_t>(start),
                    octets.begin() + static_cast<std::ptrdiff_t>(start + length));
}
