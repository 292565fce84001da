#pragma once
// The front-panel LED status string: 31 octets, one per LED. Octet 0 is
// power, 1 console, 2 to 4 the link / speed / full-duplex mode LEDs, 5 to 28
// ports 1 to 24 and 29, 30 the uplink ports 25 and 26. The low three bits
// pick the colour (0 and 1 off, 2 and 3 green, 4 blue, 5 red); 0x80 makes
// the LED blink.

#include <string>

class SimStore;

class SimFrontPanel {
public:
    static constexpr int octetCount = 31;
    static constexpr int portCount = 26;

    // The string at `seconds` after the start, for a switch whose ports are
    // up or down as its interface and port-control tables say. Every few
    // seconds other ports show traffic (blink); two ports lose and regain
    // their link in turn.
    static std::string Compute(const SimStore& store, long seconds);
};
