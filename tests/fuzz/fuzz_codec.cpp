// The value codec both ways for every syntax code: any text as a stored
// value and as a typed one, any octets as a value. Errors are the codec's
// own (-511, -518, -519). A value the codec shows can be typed back: the
// strict reading of the shown text gives the value again.
//
// Input: one byte choosing the syntax code, then TEXT NUL OCTETS (the first
// octet of OCTETS also gives the offset of a part).
#include <algorithm>
#include <iterator>
#include <optional>

#include "binding/kvvaluecodec.h"
#include "common/kverror.h"
#include "fuzzsupport.h"

namespace {

const int kCodes[] = {1,  2,  3,  4,  5,  6,  64,  65,  66,  67,  68,  69, 70,
                      71, 72, 73, 74, 75, 76, 193, 194, 195, 196, 197, 198};

// Codes whose shown text, typed back, gives exactly the octets it was made
// from (fixed-width codes from their first octets).
size_t ExactWidth(int code, size_t size)
{
    switch (code) {
    case 2:
    case 65:
    case 66:
    case 67:
    case 71:
    case 64:
    case 69:
        return 4;
    case 70:
        return 8;
    case 194:
    case 195:
        return 1;
    case 197:
    case 198:
        return 2;
    case 3:
    case 4:
    case 68:
        return size;
    case 6:
        return size % 4 == 0 ? size : 0;
    case 73:
        return size == 6 ? 6 : 0;
    default:
        return 0;
    }
}

bool IsCodecError(const KvError& error)
{
    return error.code() == -511 || error.code() == -518 || error.code() == -519;
}

std::vector<uint8_t> WithoutPadding(std::vector<uint8_t> octets)
{
    while (!octets.empty() && octets.back() == 0)
        octets.pop_back();
    return octets;
}

// Formats, or nothing when the codec refuses with one of its own errors.
std::optional<std::string> Format(const KvOctets& octets, int code)
{
    try {
        return FormatValueOctets(octets, code);
    } catch (const KvError& error) {
        fuzz::Check(IsCodecError(error), "formatting raises the codec's errors only");
        return std::nullopt;
    }
}

std::optional<KvOctets> Entered(const std::string& text, int code)
{
    try {
        return ParseEnteredText(text, code);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -518, "a refused typed text raises -518");
        return std::nullopt;
    }
}

std::optional<KvOctets> Stored(const std::string& text, int code)
{
    try {
        return ParseValueText(text, code);
    } catch (const KvError& error) {
        // Only a date that is none is refused.
        fuzz::Check(error.code() == -518 && code == 75, "a stored text is read leniently", text);
        return std::nullopt;
    }
}

// A stored text: parsed leniently, shown, parsed again, shown alike.
void StoredText(const std::string& text, int code)
{
    const std::optional<KvOctets> octets = Stored(text, code);
    const std::optional<std::string> shown = octets ? Format(*octets, code) : std::nullopt;
    if (!shown)
        return;
    const std::optional<KvOctets> again = Stored(*shown, code);
    fuzz::Check(again.has_value(), "a shown value can be stored", *shown);
    const std::optional<std::string> shownAgain = Format(*again, code);
    fuzz::Check(shownAgain && *shownAgain == *shown, "a shown value reads back as itself", *shown);
}

// A typed text: accepted, shown; the shown text is accepted when typed again.
void TypedText(const std::string& text, int code)
{
    const std::optional<KvOctets> octets = Entered(text, code);
    if (!octets)
        return;
    const std::optional<std::string> shown = Format(*octets, code);
    fuzz::Check(shown.has_value(), "a typed value can be shown", text);
    const std::optional<KvOctets> again = Entered(*shown, code);
    fuzz::Check(again.has_value(), "a shown typed value can be typed again", *shown);
    const std::optional<std::string> shownAgain = Format(*again, code);
    fuzz::Check(shownAgain && *shownAgain == *shown, "a typed value shows alike when typed again", *shown);
    if (ExactWidth(code, octets->size()) != 0)
        fuzz::Check(*again == *octets, "a typed value keeps its octets");
}

// Octets as the switch sends them.
void Octets(const KvOctets& octets, int code)
{
    const std::optional<std::string> shown = Format(octets, code);
    if (shown && !octets.empty()) {
        const size_t width = ExactWidth(code, octets.size());
        if (width != 0 && octets.size() >= width) {
            const std::optional<KvOctets> typed = Entered(*shown, code);
            fuzz::Check(typed && *typed == KvOctets(octets.begin(), octets.begin() + static_cast<long>(width)),
                        "a shown value typed back gives its octets", *shown);
        }
        // (A display string that reads "(NULL)" stands for no value, as in
        // every code.)
        if (code == 76 && *shown != "(NULL)") {
            const std::optional<KvOctets> typed = Entered(*shown, code);
            fuzz::Check(typed && (*typed == octets || *typed == WithoutPadding(octets)),
                        "a shown display string typed back gives its octets but the padding", *shown);
        }
    }
    const int offset = octets.empty() ? 0 : octets[0] % 16 - 2;
    try {
        const KvOctets part = ExtractPartialValue(octets, offset, code);
        fuzz::Check(part.size() <= octets.size(), "a part lies within its value");
        if (!part.empty())
            fuzz::Check(std::search(octets.begin(), octets.end(), part.begin(), part.end()) != octets.end(),
                        "a part is taken from its value");
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -519, "a part beyond the value raises -519");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const fuzz::Parts parts(data + 1, size - 1, 2);
    const std::string& text = parts[0];
    const KvOctets octets(parts[1].begin(), parts[1].end());

    // Mostly a known code; now and then any number, which must be refused.
    const int code = selector < 250 ? kCodes[selector % std::size(kCodes)] : selector * 7 - 1700;
    if (!IsKnownValueSyntax(code)) {
        try {
            (void)ParseValueText(text, code);
            fuzz::Check(false, "an unknown code is refused");
        } catch (const KvError& error) {
            fuzz::Check(error.code() == -511, "an unknown code raises -511");
        }
        return 0;
    }
    StoredText(text, code);
    TypedText(text, code);
    Octets(octets, code);
    return 0;
}
