#include "binding/kvsnmpledcolormaplist.h"

#include "common/kvmessages.h"

namespace {
// "(VoDADI++) Out of range for the bit(byte) index of the associated SNMP
// variable's (partial) data!"
constexpr int kErrByteIndexOutOfRange = kvErrOutOfRange;
} // namespace

KvSNMPLedColorMapList::KvSNMPLedColorMapList(const KvLedColorEntry* table, uint8_t valueMask_, uint8_t blinkMask_,
                                             int32_t defaultColour_, int32_t outOfRangeColour_)
    : valueMask(valueMask_), blinkMask(blinkMask_), defaultColour(defaultColour_), outOfRangeColour(outOfRangeColour_)
{
    Append(table);
}

void KvSNMPLedColorMapList::Append(const KvLedColorEntry* table)
{
    if (!table)
        return;
    for (const KvLedColorEntry* row = table; row->colour != -1; ++row)
        entries_.push_back(*row);
}

int32_t KvSNMPLedColorMapList::LookupColour(int32_t value) const
{
    const uint8_t byte = static_cast<uint8_t>(value & 0xFF);
    for (const KvLedColorEntry& entry : entries_) {
        if (static_cast<uint8_t>(entry.key & 0xFF) == byte)
            return entry.colour;
    }
    return 0;
}

KvLedState KvSNMPLedColorMapList::Decode(const KvOctets& octets, int byteIndex) const
{
    KvLedState state;
    if (byteIndex >= 0 && static_cast<size_t>(byteIndex) < octets.size()) {
        const uint8_t byte = octets[static_cast<size_t>(byteIndex)];
        state.colour = LookupColour(byte & valueMask);
        state.blinking = (byte & blinkMask) != 0;
        return state;
    }
    if (outOfRangeColour == -1)
        KvRaise(kErrByteIndexOutOfRange);
    state.colour = outOfRangeColour;
    state.blinking = false;
    return state;
}
