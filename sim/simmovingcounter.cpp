#include "sim/simmovingcounter.h"

bool SimMovingCounter::CanMove(SimType type)
{
    return type == SimType::Counter32 || type == SimType::Counter64;
}

uint64_t SimMovingCounter::ValueAt(SimType type, uint64_t start, uint64_t ratePerSecond, uint64_t elapsedMs)
{
    // Whole seconds and the rest apart, so that a high rate over a long run
    // does not overflow before the counter's own wrap.
    const uint64_t grown = ratePerSecond * (elapsedMs / 1000) + ratePerSecond * (elapsedMs % 1000) / 1000;
    const uint64_t value = start + grown;
    return type == SimType::Counter32 ? value & 0xFFFFFFFFull : value;
}
