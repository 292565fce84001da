#pragma once
// UdpRelay: passes UDP datagrams between managers and an agent on loopback,
// for faults an agent does not show by itself: answers that come from
// another address, and datagrams changed on the way.
//
//   UdpRelay relay(sim.port(), {.answerFrom = "127.0.0.2"});
//   ASSERT_TRUE(relay.start(&error)) << error;
//   ... point the manager at 127.0.0.1 : relay.port() ...
//
// Every manager (source address and port) gets a socket of its own towards
// the agent, so answers go back to the socket that asked. Answers leave from
// `answerFrom` (another socket of the relay, bound to that address) unless it
// is the relay's own address; or, with `forgeAnswer`, a forged copy from
// there and the real answer from the relay's own address. The relay runs on a thread of its own until
// stop() or destruction.
//
// Plain C++ (no Qt, no Net-SNMP).

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class UdpRelay {
public:
    using Tamper = std::function<void(std::vector<uint8_t>& datagram)>;
    struct Options {
        std::string answerFrom = "127.0.0.1"; // where answers leave from
        Tamper tamperRequest = {};            // may change a manager's datagram
        Tamper tamperAnswer = {};             // may change an agent's datagram
        // With `answerFrom` another address: every answer goes twice, first
        // changed by `forgeAnswer` from `answerFrom`, then as it is from the
        // relay's own address (a forger who is quicker than the agent).
        Tamper forgeAnswer = {};
    };

    UdpRelay(unsigned short agentPort, Options options);
    ~UdpRelay();
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    // Binds 127.0.0.1 on a free port (and `answerFrom`); false with a
    // message when a socket cannot be had.
    bool start(std::string* error = nullptr);
    void stop();

    unsigned short port() const { return port_; }
    // Datagrams passed on so far, each way.
    int requests() const { return requests_; }
    int answers() const { return answers_; }

private:
    void Run();

    struct Manager;
    unsigned short agentPort_;
    Options options_;
    unsigned short port_ = 0;
    int listenFd_ = -1;
    int answerFd_ = -1;
    std::vector<Manager*> managers_; // owned; the relay thread's only
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::atomic<int> answers_{0};
    std::thread thread_;
};
