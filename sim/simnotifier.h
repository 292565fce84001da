#pragma once
// The simulator's notifications: coldStart when it starts, linkDown or linkUp
// when a SET takes a port down or up (its ifAdminStatus, or the switch's own
// port state), and authenticationFailure on a wrong community (the agent
// library sends that one itself once it is enabled). They go to every
// --trap-to address as SNMPv2c traps and to the targets the agent's target
// and notification tables name.

#include <array>
#include <string>
#include <vector>

#include "sim/simfrontpanel.h"

class SimStore;

class SimNotifier {
public:
    explicit SimNotifier(SimStore& store) : store_(store) {}

    // The agent configuration lines for the targets (read at the agent's
    // start) and the one enabling authenticationFailure.
    static std::vector<std::string> ConfigLines(const std::vector<std::string>& targets, const std::string& community);

    // Once the agent answers: remembers the ports' states and sends coldStart.
    void Start();
    // After a SET: linkDown or linkUp for every port whose state it changed;
    // the port's ifOperStatus follows (down while disabled, up again after).
    void CheckPorts();

    // Whether the port is up by its ifAdminStatus and the switch's own state.
    static bool PortEnabled(const SimStore& store, int port);

private:
    void SendLink(int port, bool up);

    SimStore& store_;
    std::array<bool, SimFrontPanel::portCount + 1> enabled_{};
};
