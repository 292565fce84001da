#pragma once
#include <cstdint>
#include <vector>

#include "binding/kvvaluecodec.h"

// One row of a static LED colour table: a LED byte value (its low byte is
// compared) and the window colour (0x00BBGGRR) it is shown in. A row whose
// colour is -1 ends the table.
struct KvLedColorEntry {
    int32_t key;
    int32_t colour;
};

// What one LED byte means: the colour of its lit phase and whether it blinks.
struct KvLedState {
    int32_t colour = 0;
    bool blinking = false;
};

// Maps the state bytes of a front-panel LED variable to window colours: the
// byte is masked with the value mask before the lookup, and any bit of the
// blink mask makes the LED blink. The default colour is the colour of a LED
// that is off (also its dark phase while blinking); the out-of-range colour is
// shown for a LED whose byte lies beyond the received value, -1 making that an
// error instead.
class KvSNMPLedColorMapList {
public:
    KvSNMPLedColorMapList(const KvLedColorEntry* table, uint8_t valueMask, uint8_t blinkMask, int32_t defaultColour,
                          int32_t outOfRangeColour);

    // Appends copies of the rows of `table` up to its end row (null: none).
    void Append(const KvLedColorEntry* table);

    // The colour of the first entry whose key byte equals the low byte of
    // `value`; 0 (black) when none does.
    int32_t LookupColour(int32_t value) const;

    // The state of the LED at `byteIndex` of a variable's octets. An index
    // outside the octets gives the out-of-range colour, steady, or raises -519
    // when that colour is -1.
    KvLedState Decode(const KvOctets& octets, int byteIndex) const;

    uint8_t valueMask;
    uint8_t blinkMask;
    int32_t defaultColour;
    int32_t outOfRangeColour;

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const KvLedColorEntry& Entry(int i) const { return entries_.at(static_cast<size_t>(i)); }

private:
    std::vector<KvLedColorEntry> entries_;
};
