#pragma once
// A broken SNMPv2c agent on a loopback UDP port that answers every request,
// whatever it asks for, from a script: its k-th answer (counting from 0) holds
// every column at the instance of step k % script size, each with the INTEGER
// value k + 1. A step names one instance for all columns or one per column.
// With the steps {"1"}, {"2"} it answers row 1, row 2, row 1 again and so on,
// so a table walk that trusts it never ends.
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class BrokenAgent {
public:
    using Step = std::vector<std::string>;

    BrokenAgent(std::vector<std::string> columns, std::vector<Step> script);
    ~BrokenAgent();
    BrokenAgent(const BrokenAgent&) = delete;
    BrokenAgent& operator=(const BrokenAgent&) = delete;

    uint16_t Port() const { return port_; }
    int Answered() const { return answered_; }

private:
    void Serve();
    std::string Response(const std::string& request);

    std::vector<std::string> columns_;
    std::vector<Step> script_;
    int fd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};
