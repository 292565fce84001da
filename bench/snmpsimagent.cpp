#include "snmpsimagent.h"

#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

bool SnmpsimAgent::Answers(uint16_t port)
{
    ChildProcess probe;
    const bool started = probe.start({"snmpget", "-v2c", "-c", "ravine", "-t", "1", "-r", "0",
                                      "127.0.0.1:" + std::to_string(port), "1.3.6.1.2.1.1.1.0"},
                                     {.environment = {"MIBS=", "MIBDIRS=/nonexistent"}});
    return started && probe.wait(3000) == 0;
}

uint16_t SnmpsimAgent::Start(const std::string& program, const std::string& dataDir, uint16_t port,
                             const std::string& log, const std::vector<std::string>& options)
{
    std::vector<std::string> argv = {program, "--data-dir=" + dataDir,
                                     "--agent-udpv4-endpoint=127.0.0.1:" + std::to_string(port)};
    argv.insert(argv.end(), options.begin(), options.end());
    if (::getuid() == 0) {
        // It will not run as root.
        argv.push_back("--process-user=nobody");
        argv.push_back("--process-group=nogroup");
    }
    if (!process_.start(argv, {.out = ChildProcess::Output::file(log), .err = ChildProcess::Output::sameAsOut()}))
        return 0;
    for (int i = 0; i < 120; ++i) {
        if (!process_.running())
            return 0;
        if (Answers(port))
            return port;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return 0;
}
