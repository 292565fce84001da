// Date-times and binary strings: any text as a date-time, any octets as a
// DateAndTime value, any double as a day count, any bytes as an octet string
// or port list.
//
// Input: TEXT NUL OCTETS (the first octets also give a day count, ports and
// indexes)
#include <cmath>
#include <cstring>

#include "common/kvbinarystring.h"
#include "common/kvdatetime.h"
#include "common/kverror.h"
#include "fuzzsupport.h"

namespace {

bool SameCivil(const KvCivilTime& a, const KvCivilTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second && a.millisecond == b.millisecond;
}

void CheckText(const std::string& text)
{
    const KvDateTime parsed(text);
    const std::string shown = parsed.ToText();
    fuzz::Check(KvDateTime(shown).ToText() == shown, "a date-time text reads back as itself", shown);
}

void CheckOctets(const std::vector<uint8_t>& octets)
{
    const KvDateTime fromWire = KvDateTime::FromOctets(octets.data(), octets.size());
    const auto back = fromWire.ToOctets();
    for (size_t i = 0; i < KvDateTime::kOctets; ++i)
        fuzz::Check(back[i] == (i < octets.size() ? octets[i] : 0), "DateAndTime octets go back unchanged");
    KvDateTime swapped = fromWire;
    swapped.SwapYearBytes();
    swapped.SwapYearBytes();
    fuzz::Check(swapped == fromWire, "swapping the year twice changes nothing");
    (void)fromWire.ToText();
}

void CheckDayCount(double dayCount)
{
    const KvCivilTime civil = KvDateTime::FromDayCount(dayCount);
    fuzz::Check(civil.month >= 1 && civil.month <= 12 && civil.day >= 1 && civil.day <= 31 && civil.hour >= 0 &&
                    civil.hour < 24 && civil.minute >= 0 && civil.minute < 60 && civil.second >= 0 &&
                    civil.second < 60 && civil.millisecond >= 0 && civil.millisecond < 1000,
                "a day count gives a time of day within its ranges");
    const double again = KvDateTime::DayCount(civil);
    fuzz::Check(SameCivil(KvDateTime::FromDayCount(again), civil), "a day count and its date-time agree");
}

void CheckBinaryString(fuzz::Reader& reader, const std::vector<uint8_t>& octets)
{
    KvBinaryString bytes(octets.data(), static_cast<int32_t>(octets.size()));
    fuzz::Check(bytes.Length() == static_cast<int32_t>(octets.size()), "a binary string keeps every octet");
    fuzz::Check(bytes == KvBinaryString(bytes.ToString()), "a binary string and its byte string agree");
    const int32_t index = static_cast<int32_t>(reader.Word());
    try {
        (void)bytes.At(index);
        fuzz::Check(index >= 0 && index < bytes.Length(), "an octet outside the string is refused");
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -12, "an octet outside the string raises -12");
    }
    // Port lists of switches run to a few thousand ports.
    const int port = static_cast<int>(reader.Word() % 5000) - 2;
    const bool on = reader.Byte() & 1;
    try {
        bytes.SetPortBit(port, on);
        fuzz::Check(bytes.PortBit(port) == on, "a port bit reads as it was set");
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -12 && port < 1, "only ports below 1 are refused");
    }
    bytes.Resize(static_cast<int32_t>(reader.Word() % 4096) - 8);
    fuzz::Check(bytes.Length() >= 0, "a resized string has a length");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Parts parts(data, size, 2);
    CheckText(parts[0]);
    const std::vector<uint8_t> octets(parts[1].begin(), parts[1].end());
    CheckOctets(octets);

    fuzz::Reader reader(octets.data(), octets.size());
    const uint64_t bits = reader.Long();
    double dayCount = 0;
    std::memcpy(&dayCount, &bits, sizeof dayCount);
    CheckDayCount(dayCount);
    CheckDayCount(std::fmod(dayCount, 3000000.0));
    CheckBinaryString(reader, octets);
    return 0;
}
