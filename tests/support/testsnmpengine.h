#pragma once
// TestSnmpEngine: the SNMP engine for the tests of one process or suite.
//
//   static void SetUpTestSuite() { engine_ = std::make_unique<TestSnmpEngine>("kvbinding"); }
//   static void TearDownTestSuite() { engine_.reset(); }
//
// The constructor installs an event processor on the Qt event loop, makes a
// fresh temporary directory (<prefix>-XXXXXX) and starts the engine with it
// as its configuration directory; the destructor removes the processor and
// the directory. A QApplication must exist first.

#include <memory>
#include <string>

class SimFixture;
class SnmpEventProcessor;

class TestSnmpEngine {
public:
    // directorySuffix is appended to the directory's name handed to the
    // engine (e.g. "/" for callers that join file names to it).
    explicit TestSnmpEngine(const std::string& prefix, const std::string& directorySuffix = {});
    ~TestSnmpEngine();
    TestSnmpEngine(const TestSnmpEngine&) = delete;
    TestSnmpEngine& operator=(const TestSnmpEngine&) = delete;

    // Starts the simulator and, when it answers, points the engine's device
    // (KvSNMPDevice) at its address and port; false with the simulator's
    // message otherwise.
    static bool StartSimulator(SimFixture& sim, std::string* error);

    // Empty when the directory could not be made.
    const std::string& directory() const { return directory_; }

private:
    std::unique_ptr<SnmpEventProcessor> processor_;
    std::string directory_;
};
