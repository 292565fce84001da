// Value texts: the text forms the request engine and the value codec share.
// Any text through every reader, any octets through every writer; what a
// writer gives, the strict reader of its kind reads back to the same value.
//
// Input: TEXT NUL OCTETS
#include <cmath>
#include <cstring>

#include "common/kverror.h"
#include "common/kvvaluetext.h"
#include "fuzzsupport.h"

namespace {

std::vector<uint8_t> WithoutPadding(std::vector<uint8_t> octets)
{
    while (!octets.empty() && octets.back() == 0)
        octets.pop_back();
    return octets;
}

void ReadText(const std::string& text)
{
    (void)ParseHexOctets(text);
    std::vector<uint8_t> octets;
    if (ReadHexText(text, octets))
        fuzz::Check(ParseHexOctets(FormatHexOctets(octets)) == octets, "strict hex reads back");
    const std::vector<uint8_t> display = ParseDisplayText(text);
    fuzz::Check(ParseDisplayText(FormatDisplayOctets(display)) == display ||
                    ParseDisplayText(FormatDisplayOctets(display)) == WithoutPadding(display),
                "a display text reads back to its octets", text);

    (void)ReadLeadingDecimal(text);
    (void)ReadLeadingReal(text);
    (void)ReadCounter64(text);
    int64_t whole = 0;
    if (ReadWholeNumber(text, -1000000, 1000000, whole))
        fuzz::Check(whole >= -1000000 && whole <= 1000000 && ReadLeadingDecimal(text) == whole,
                    "a whole number lies in its range and reads alike leniently", text);
    uint64_t unsignedValue = 0;
    if (ReadWholeUnsigned(text, unsignedValue))
        fuzz::Check(ReadCounter64(text) == unsignedValue, "an unsigned number reads alike as a counter", text);
    double real = 0;
    if (ReadWholeReal(text, real)) {
        fuzz::Check(std::isfinite(real) || std::isinf(real), "a typed real is a number");
        double again = 0;
        fuzz::Check(std::isinf(real) ||
                        (ReadWholeReal(FormatReal(real), again) && FormatReal(again) == FormatReal(real)),
                    "a real's text reads back", FormatReal(real));
    }

    const uint32_t lenient = ParseTimeTicks(text);
    fuzz::Check(ParseTimeTicks(FormatTimeTicks(lenient)) == lenient, "time ticks read back leniently");
    uint32_t ticks = 0;
    if (ReadTimeTicksText(text, ticks)) {
        uint32_t again = 0;
        fuzz::Check(ReadTimeTicksText(FormatTimeTicks(ticks), again) && again == ticks, "typed time ticks read back",
                    FormatTimeTicks(ticks));
    }

    try {
        const double days = ParseDayCount(text);
        const std::string shown = FormatDayCount(days);
        fuzz::Check(FormatDayCount(ParseDayCount(shown)) == shown, "a date read from a text reads back", shown);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -518, "a text without a date raises -518");
    }

    (void)ReadDottedNumbers(text);
    (void)ParseDottedOctets(text);
    std::vector<uint8_t> address;
    if (ReadIpAddressText(text, address)) {
        fuzz::Check(address.size() == 4, "an address has four octets");
        std::vector<uint8_t> again;
        fuzz::Check(ReadIpAddressText(FormatDottedOctets(address), again) && again == address, "an address reads back",
                    text);
    }
    std::vector<uint32_t> arcs;
    if (ParseArcs(text, arcs)) {
        std::vector<uint32_t> again;
        fuzz::Check(ParseArcs(ArcsText(arcs), again) && again == arcs, "an object identifier reads back", text);
    }
}

void WriteOctets(const std::vector<uint8_t>& octets)
{
    std::vector<uint8_t> back;
    fuzz::Check(ReadHexText(FormatHexOctets(octets), back) && back == octets, "hex octets read back");
    const std::vector<uint8_t> display = ParseDisplayText(FormatDisplayOctets(octets));
    fuzz::Check(display == octets || display == WithoutPadding(octets), "display octets read back but the padding");
    fuzz::Check(ParseDottedOctets(FormatDottedOctets(octets)) == octets, "dotted octets read back");

    fuzz::Reader reader(octets.data(), octets.size());
    const uint32_t ticks = reader.Word();
    uint32_t again = 0;
    fuzz::Check(ReadTimeTicksText(FormatTimeTicks(ticks), again) && again == ticks, "time ticks read back");
    fuzz::Check(ParseTimeTicks(FormatTimeTicks(ticks)) == ticks, "time ticks read back leniently");

    const uint64_t bits = reader.Long();
    double real = 0;
    std::memcpy(&real, &bits, sizeof real);
    const std::string realText = FormatReal(real);
    if (std::isfinite(real)) {
        double read = 0;
        fuzz::Check(ReadWholeReal(realText, read) && FormatReal(read) == realText, "a real reads back", realText);
    }
    fuzz::Check(FormatReal(ReadLeadingReal(realText)) == realText || std::isnan(real), "a real reads back leniently",
                realText);
    try {
        const std::string shown = FormatDayCount(real);
        fuzz::Check(FormatDayCount(ParseDayCount(shown)) == shown, "a day count's text reads back", shown);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -518, "a day count outside the years 1 to 9999 raises -518");
    }
    std::vector<uint32_t> arcs;
    while (reader.Left() >= 4)
        arcs.push_back(reader.Word());
    std::vector<uint32_t> read;
    fuzz::Check(ParseArcs(ArcsText(arcs), read) && read == arcs, "sub-identifiers read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, 2);
    ReadText(parts[0]);
    WriteOctets(std::vector<uint8_t>(parts[1].begin(), parts[1].end()));
    return 0;
}
