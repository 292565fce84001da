#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

// Per-second rates of counters from successive readings. Each counter is
// named by its row (the row's index values; empty for a group of scalars)
// and its column; a reading gives the rate since the counter's previous
// reading, so the first reading of a counter gives none.
//
// A Counter32 that reads less than before has wrapped once at 2^32, unless
// that would mean more than 2^31 counts since the previous reading: then the
// counter was reset (the agent restarted), and so is a Counter64 that went
// back. A reset, a text that is not a counter value ("(NULL)", an error)
// and a reading no later than the previous one give no rate; the next good
// reading starts again.
class KvCounterRates {
public:
    // Syntax codes that count: Counter32 and Counter64.
    static bool IsCounter(uint32_t syntax);

    // Records the reading `valueText` of the counter at `seconds` (a steady
    // clock) and gives its rate per second since its previous reading.
    std::optional<double> Read(const std::string& row, int column, uint32_t syntax, const std::string& valueText,
                               double seconds);

    // Forgets every reading.
    void Clear() { last_.clear(); }

    // The text of a rate: one decimal place ("1523.4").
    static std::string FormatRate(double perSecond);

private:
    struct Reading {
        uint64_t value;
        double seconds;
    };
    std::map<std::pair<std::string, int>, Reading> last_;
};
