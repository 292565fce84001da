#pragma once
#include "config/kvconfigwrite.h"

// Sends the write requests of a restore to the switch, one SET per call,
// through the request engine and the session of the program's start-up.
// Every write of osprey-config goes through Send, so that a wrapper (a
// journal, a test) sees each request before and after it goes out.
class KvConfigSender {
public:
    virtual ~KvConfigSender() = default;

    // Sends one request and waits for its answer. A refusal or no answer is
    // raised as KvError (KvSNMPResponseError names the variable refused).
    virtual void Send(const KvConfigWrite& write);
};
