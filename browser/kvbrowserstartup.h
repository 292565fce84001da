#pragma once
#include <string>
#include <vector>

#include "shell/kvstartup.h"

// The stand-in's start-up: the program's own (KvStartup), over the command
// line the launcher writes. That line puts the SNMPv3 switches "/t" (port) and
// the others after "/v", and the program's start-up accepts them only once
// SNMPv3 is in force; so, when SNMPv3 is in force at the end of the line, the
// parameters are applied once more, and the "/t" and other SNMPv3 switches
// that came before "/v3" count as well. A line that was complete the first
// time gives the same settings the second time: each parameter applies the
// INI file and then its own switch again.
class KvBrowserStartup {
public:
    // Configures `startup` (its engine already started) with `parameters`.
    static KvStartup::Result Configure(KvStartup& startup, const std::vector<std::string>& parameters);
};
