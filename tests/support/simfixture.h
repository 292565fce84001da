#pragma once
// SimFixture: runs the switch simulator (osprey-sim) for one test.
//
//   SimFixture sim;                      // or SimFixture sim({.extraArgs = {"--delay", "500"}});
//   ASSERT_TRUE(sim.start(&error)) << error;
//   ... talk SNMP to sim.host() : sim.port() ...
//   EXPECT_EQ(sim.logLines().size(), 2u);  // one line per request received
//   sim.stop();                          // also done by the destructor
//
// start() picks a free loopback UDP port (the simulator binds port 0 and
// reports the port it got), waits until the simulator answers (at most five
// seconds) and gives false with the simulator's message when it does not.
// A later start() of the same fixture reuses that port, so a restart (for
// example to check --state) keeps the address. Each fixture has its own
// temporary directory (log, state, the simulator's stderr); it is removed
// by the destructor unless OSPREY_KEEP_SIM_DIR is set in the environment.
// With OSPREY_SIM_SESSION_LOG=<file> every request a fixture logged is
// appended to that file (before each clearLog() and at the end).
// The simulator ends by itself when the test process dies without stopping
// it.
//
// Plain C++ (no Qt, no Net-SNMP), safe to use from any test process.

#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/childprocess.h"

class SimFixture {
public:
    struct Options {
        std::string dataFile = {};               // empty: the bundled 26-port switch
        bool keepState = false;                  // pass --state <directory>/state.sim
        std::vector<std::string> extraArgs = {}; // more options, e.g. {"--drop-every", "2"}
        std::string program = {};                // empty: the simulator of the build
        bool requestLog = true;                  // pass --log <directory>/requests.log
    };

    // The agent's documented access (see sim/README.md).
    static constexpr const char* readCommunity = "ravine";
    static constexpr const char* writeCommunity = "lantern";
    static constexpr const char* shaUser = "sha-user"; // SHA / AES, authPriv
    static constexpr const char* shaAuthPassword = "sha-auth-pass";
    static constexpr const char* shaPrivPassword = "sha-priv-pass";
    static constexpr const char* md5User = "md5-user"; // MD5 / DES, authPriv
    static constexpr const char* md5AuthPassword = "md5-auth-pass";
    static constexpr const char* md5PrivPassword = "md5-priv-pass";
    static constexpr const char* sha384User = "sha384-user"; // SHA-384 / AES-192, authPriv
    static constexpr const char* sha384AuthPassword = "sha384-auth-pass";
    static constexpr const char* sha384PrivPassword = "sha384-priv-pass";
    static constexpr const char* sha512User = "sha512-user"; // SHA-512 / AES-256, authPriv
    static constexpr const char* sha512AuthPassword = "sha512-auth-pass";
    static constexpr const char* sha512PrivPassword = "sha512-priv-pass";
    static constexpr const char* authUser = "auth-user"; // SHA, authNoPriv
    static constexpr const char* authPassword = "auth-user-pass";
    static constexpr const char* noAuthUser = "noauth-user"; // noAuthNoPriv

    SimFixture();
    explicit SimFixture(Options options);
    ~SimFixture();
    SimFixture(const SimFixture&) = delete;
    SimFixture& operator=(const SimFixture&) = delete;

    bool start(std::string* error = nullptr);
    // SIGTERM and wait (the simulator writes its state on the way out).
    void stop();
    // SIGKILL and wait: the agent dies at once, whatever it was doing.
    void kill();
    // The extra options of the next start() (for a restart with other faults).
    void setExtraArgs(std::vector<std::string> args) { options_.extraArgs = std::move(args); }
    // The port of the next start() (0: a free one); the running agent keeps its own.
    void setPort(unsigned short port) { port_ = port; }
    pid_t pid() const { return process_.pid(); }
    bool running() const { return process_.pid() > 0; }

    const char* host() const { return "127.0.0.1"; }
    unsigned short port() const { return port_; }
    // "udp:127.0.0.1:PORT", the peer name Net-SNMP's tools take.
    std::string peer() const;

    std::string directory() const { return dir_; }
    std::string logPath() const;
    std::string statePath() const;
    // The log's lines so far (one per received request).
    std::vector<std::string> logLines() const;
    void clearLog() const;
    std::string stderrText() const;

    // The simulator program, from the build (OSPREY_SIM_PATH).
    static std::string simulatorPath();

private:
    // Appends the log so far to the file OSPREY_SIM_SESSION_LOG names, if any.
    void keepSessionLog() const;

    Options options_;
    std::string dir_;
    ChildProcess process_;
    unsigned short port_ = 0;
};
