#include "sim/simfrontpanel.h"

#include "sim/simstore.h"

namespace {

constexpr unsigned char ledOff = 0;
constexpr unsigned char ledGreen = 2;
constexpr unsigned char ledBlue = 4;
constexpr unsigned char ledRed = 5;
constexpr unsigned char ledBlink = 0x80;

// ifOperStatus (1 up) and the switch's own port administration state
// (2 disabled) of one port; a missing object counts as up and enabled.
bool PortUp(const SimStore& store, int port)
{
    SimOid oper = {1, 3, 6, 1, 2, 1, 2, 2, 1, 8, static_cast<oid>(port)};
    const SimObject* o = store.Find(oper);
    return !o || o->value.integer == 1;
}

bool PortDisabled(const SimStore& store, int port)
{
    SimOid admin = simoid::Enterprise(store.EnterpriseNumber());
    admin.insert(admin.end(), {11, 36, 2, 6, 2, 1, 2, static_cast<oid>(port)});
    const SimObject* o = store.Find(admin);
    return o && o->value.integer == 2;
}

} // namespace

std::string SimFrontPanel::Compute(const SimStore& store, long seconds)
{
    std::string s(octetCount, static_cast<char>(ledOff));
    s[0] = static_cast<char>(ledGreen); // power
    s[1] = static_cast<char>(ledOff);   // console not in use
    s[2] = static_cast<char>(ledGreen); // the port LEDs show link and activity
    s[3] = static_cast<char>(ledOff);
    s[4] = static_cast<char>(ledOff);
    const long step = seconds / 3; // the program polls every three seconds
    for (int port = 1; port <= portCount; ++port) {
        bool up = PortUp(store, port);
        // Ports 7 and 19 lose their link in turn, for 15 seconds each.
        if (port == 7 && (seconds / 15) % 2 == 1)
            up = !up;
        if (port == 19 && (seconds / 15) % 2 == 0)
            up = !up;
        unsigned char led = ledOff;
        if (PortDisabled(store, port))
            led = ledRed;
        else if (up)
            led = port > 24 ? ledBlue : ledGreen;
        if (up && led != ledRed && (step + port * 7) % 5 < 2)
            led |= ledBlink;
        s[static_cast<size_t>(4 + port)] = static_cast<char>(led);
    }
    return s;
}
