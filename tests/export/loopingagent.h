#pragma once
// A broken SNMPv2c agent on a loopback UDP port: it answers every request
// with the given columns at instance 1, then 2, then 1 again, and so on, so a
// table walk that trusts it never ends.
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class LoopingAgent {
public:
    explicit LoopingAgent(std::vector<std::string> columns);
    ~LoopingAgent();
    LoopingAgent(const LoopingAgent&) = delete;
    LoopingAgent& operator=(const LoopingAgent&) = delete;

    uint16_t Port() const { return port_; }
    int Answered() const { return answered_; }

private:
    void Serve();
    std::string Response(const std::string& request);

    std::vector<std::string> columns_;
    int fd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};
