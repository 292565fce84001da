#pragma once
// Counters that move: a counter object of the data file that a "moving" line
// names grows at a steady rate from the value the file gives it, so that two
// reads a few seconds apart see traffic. A Counter32 wraps at 2^32, a
// Counter64 at 2^64, as a switch's counters do.

#include <cstdint>

#include "sim/simvalue.h"

class SimMovingCounter {
public:
    // Whether a "moving" line may name an object of this type.
    static bool CanMove(SimType type);

    // The counter's value `elapsedMs` milliseconds after the start, for a
    // counter that starts at `start` and grows by `ratePerSecond`.
    static uint64_t ValueAt(SimType type, uint64_t start, uint64_t ratePerSecond, uint64_t elapsedMs);
};
