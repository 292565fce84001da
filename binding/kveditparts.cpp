#include "binding/kveditparts.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/kvdatetime.h"
#include "common/kvtext.h"
#include "common/kvvaluetext.h"
#include "snmp/vardef.h"

namespace {

// Hundredths of a second in a day, an hour, a minute and a second.
constexpr uint32_t kTicksPerDay = 8640000u;
constexpr uint32_t kTicksPerHour = 360000u;
constexpr uint32_t kTicksPerMinute = 6000u;
constexpr uint32_t kTicksPerSecond = 100u;

uint32_t GetLE32(const KvOctets& octets, size_t at)
{
    return uint32_t(octets[at]) | uint32_t(octets[at + 1]) << 8 | uint32_t(octets[at + 2]) << 16 |
           uint32_t(octets[at + 3]) << 24;
}

double GetDouble(const KvOctets& octets)
{
    double value = 0;
    std::memcpy(&value, octets.data(), sizeof value);
    return value;
}

std::string Hex2(uint8_t byte)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

[[noreturn]] void RefuseEdit(size_t i)
{
    throw KvEditPartRefusal{static_cast<int>(i)};
}

[[noreturn]] void RefuseValue()
{
    throw KvEditPartRefusal{-1};
}

// A whole unsigned number up to `maximum` in edit i; an empty edit is 0.
int64_t Number(const KvEditTexts& texts, size_t i, uint64_t maximum = UINT32_MAX)
{
    const std::string s = TrimText(texts[i]);
    if (s.empty())
        return 0;
    uint64_t value = 0;
    if (!ReadWholeUnsigned(s, value) || value > maximum)
        RefuseEdit(i);
    return static_cast<int64_t>(value);
}

// The first n bytes, two hex digits each.
KvEditTexts HexTexts(const KvOctets& octets, size_t n)
{
    KvEditTexts texts;
    for (size_t i = 0; i < n; ++i)
        texts.push_back(Hex2(octets[i]));
    return texts;
}

// One byte per edit: empty is 00, one digit is 0 and the digit.
std::string JoinHex(const KvEditTexts& texts)
{
    std::string joined;
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string s = TrimText(texts[i]);
        KvOctets ignored;
        if (s.size() > 2 || !ReadHexText(s.size() == 1 ? "0" + s : s, ignored))
            RefuseEdit(i);
        if (s.empty())
            joined += "00";
        else if (s.size() == 1)
            joined += "0" + s;
        else
            joined += s;
    }
    return joined;
}

// --- split: value -> edit texts --------------------------------------------

KvEditTexts SplitBytes(const std::string&, const KvOctets& octets)
{
    return HexTexts(octets, octets.size());
}

KvEditTexts SplitMac(const std::string&, const KvOctets& octets)
{
    return HexTexts(octets, 6);
}

KvEditTexts SplitArcs(const std::string&, const KvOctets& octets)
{
    KvEditTexts texts;
    for (size_t i = 0; i < octets.size() / 4; ++i)
        texts.push_back(std::to_string(GetLE32(octets, i * 4)));
    return texts;
}

KvEditTexts SplitQuad(const std::string&, const KvOctets& octets)
{
    KvEditTexts texts;
    for (size_t i = 0; i < 4; ++i)
        texts.push_back(std::to_string(octets[i]));
    return texts;
}

KvEditTexts SplitTicks(const std::string&, const KvOctets& octets)
{
    uint32_t ticks = GetLE32(octets, 0);
    KvEditTexts texts;
    for (uint32_t unit : {kTicksPerDay, kTicksPerHour, kTicksPerMinute, kTicksPerSecond}) {
        texts.push_back(std::to_string(ticks / unit));
        ticks %= unit;
    }
    texts.push_back(std::to_string(ticks));
    return texts;
}

KvEditTexts SplitDateTime(const std::string& text, const KvOctets&)
{
    const KvDateTime dt(text);
    return {std::to_string(dt.year),        std::to_string(dt.month),     std::to_string(dt.day),
            std::to_string(dt.hour),        std::to_string(dt.minutes),   std::to_string(dt.seconds),
            std::to_string(dt.deciSeconds), std::string(1, dt.direction), std::to_string(dt.utcHours),
            std::to_string(dt.utcMinutes)};
}

KvEditTexts SplitDayCount(const std::string&, const KvOctets& octets)
{
    const KvCivilTime t = KvDateTime::FromDayCount(GetDouble(octets));
    return {std::to_string(t.year),   std::to_string(t.month),  std::to_string(t.day),        std::to_string(t.hour),
            std::to_string(t.minute), std::to_string(t.second), std::to_string(t.millisecond)};
}

// --- join: edit texts -> value text ----------------------------------------

std::string JoinArcs(const KvEditTexts& texts)
{
    std::string joined;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i)
            joined += ".";
        joined += std::to_string(Number(texts, i));
    }
    return joined;
}

std::string JoinQuad(const KvEditTexts& texts)
{
    // Each part a number up to 255 (an empty one is 0): never the low byte
    // of a larger one.
    return std::to_string(Number(texts, 0, 255)) + "." + std::to_string(Number(texts, 1, 255)) + "." +
           std::to_string(Number(texts, 2, 255)) + "." + std::to_string(Number(texts, 3, 255));
}

std::string JoinTicks(const KvEditTexts& texts)
{
    auto u = [&](size_t i) { return static_cast<uint64_t>(Number(texts, i)); };
    const uint64_t ticks =
        u(0) * kTicksPerDay + u(1) * kTicksPerHour + u(2) * kTicksPerMinute + u(3) * kTicksPerSecond + u(4);
    if (ticks > UINT32_MAX)
        RefuseValue(); // more than the 4-byte count holds
    return FormatTimeTicks(static_cast<uint32_t>(ticks));
}

std::string JoinDateTime(const KvEditTexts& texts)
{
    KvDateTime dt(std::string{});
    // Each field within its octet; the date-time text's check then takes
    // the ranges.
    dt.year = static_cast<uint16_t>(Number(texts, 0, UINT16_MAX));
    dt.month = static_cast<uint8_t>(Number(texts, 1, UINT8_MAX));
    dt.day = static_cast<uint8_t>(Number(texts, 2, UINT8_MAX));
    dt.hour = static_cast<uint8_t>(Number(texts, 3, UINT8_MAX));
    dt.minutes = static_cast<uint8_t>(Number(texts, 4, UINT8_MAX));
    dt.seconds = static_cast<uint8_t>(Number(texts, 5, UINT8_MAX));
    dt.deciSeconds = static_cast<uint8_t>(Number(texts, 6, UINT8_MAX));
    const QString direction = QString::fromStdString(texts[7]).trimmed();
    if (direction.size() > 1 || (direction.size() == 1 && direction != "+" && direction != "-"))
        RefuseEdit(7);
    dt.direction = direction.isEmpty() ? '+' : static_cast<char>(direction.at(0).toLatin1());
    dt.utcHours = static_cast<uint8_t>(Number(texts, 8, UINT8_MAX));
    dt.utcMinutes = static_cast<uint8_t>(Number(texts, 9, UINT8_MAX));
    return dt.ToText();
}

std::string JoinDayCount(const KvEditTexts& texts)
{
    KvCivilTime t;
    t.year = static_cast<int>(Number(texts, 0, UINT16_MAX));
    t.month = static_cast<int>(Number(texts, 1, UINT16_MAX));
    t.day = static_cast<int>(Number(texts, 2, UINT16_MAX));
    t.hour = static_cast<int>(Number(texts, 3, UINT16_MAX));
    t.minute = static_cast<int>(Number(texts, 4, UINT16_MAX));
    t.second = static_cast<int>(Number(texts, 5, UINT16_MAX));
    t.millisecond = static_cast<int>(Number(texts, 6, 999));
    // A date the calendar does not have (13th month, 30 February, 25 h)
    // would roll over into another one.
    const KvCivilTime back = KvDateTime::FromDayCount(KvDateTime::DayCount(t));
    if (t.year < 1 || t.year > 9999 || back.year != t.year || back.month != t.month || back.day != t.day ||
        back.hour != t.hour || back.minute != t.minute || back.second != t.second)
        RefuseValue();
    return FormatDayCount(KvDateTime::DayCount(t));
}

const KvEditParts kEditParts[] = {
    // syntax          edits bytes split          join
    {synBits, 0, 0, SplitBytes, JoinHex},
    {synOctets, 0, 0, SplitBytes, JoinHex},
    {synOid, 0, 0, SplitArcs, JoinArcs},
    {synIpAddress, 4, 4, SplitQuad, JoinQuad},
    {synTimeTicks, 5, 4, SplitTicks, JoinTicks},
    {synOpaque, 0, 0, SplitBytes, JoinHex},
    {synNetAddress, 4, 4, SplitQuad, JoinQuad},
    {synMacAddress, 6, 6, SplitMac, JoinHex},
    {synDateAndTime, 10, 0, SplitDateTime, JoinDateTime},
    {synFloatDate, 7, 8, SplitDayCount, JoinDayCount},
};

} // namespace

const KvEditParts* FindEditParts(int syntax)
{
    for (const KvEditParts& row : kEditParts)
        if (row.syntax == syntax)
            return &row;
    return nullptr;
}

std::span<const KvEditParts> EditPartsTable()
{
    return kEditParts;
}
