// osprey-sim: an SNMP agent that behaves like a 26-port Osprey switch.

#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "osprey_config.h"
#include "sim/simagent.h"
#include "sim/simdatafile.h"
#include "sim/simoptions.h"
#include "sim/simstore.h"

namespace {

// Set by SIGINT / SIGTERM; the main loop ends at its next turn.
volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int)
{
    stopRequested = 1;
}

std::string DefaultDataFile()
{
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "osprey.sim";
    buf[n] = '\0';
    return (std::filesystem::path(buf).parent_path() / "osprey.sim").string();
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// Net-SNMP's agent library keeps one small allocation of each notification
// it sends to the target-address table (get_target_sessions, through
// netsnmp_memdup_nt; the leak check's fast unwinding often sees only the
// latter) and never frees it. The simulator's own code never calls
// netsnmp_memdup_nt, so the leak check still reports ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:get_target_sessions\nleak:netsnmp_memdup_nt\n";
}
// Quietly: the tests read the simulator's standard error.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc), OSPREY_ENT_NUMBER, error)) {
        std::fprintf(stderr, "osprey-sim: %s\n%s", error.c_str(), SimOptions::Usage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(SimOptions::Usage().c_str(), stdout);
        return 0;
    }

    // A stop request that comes while the data loads ends the program
    // after the start, in order.
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::string source = options.dataFile.empty() ? DefaultDataFile() : options.dataFile;
    std::error_code ec;
    if (!options.stateFile.empty() && std::filesystem::exists(options.stateFile, ec))
        source = options.stateFile;
    SimStore store(OSPREY_ENT_NUMBER);
    if (!SimDataFile::Load(source, store, error)) {
        std::fprintf(stderr, "osprey-sim: %s\n", error.c_str());
        return 1;
    }
    if (options.dump) {
        std::fputs(SimDataFile::ToText(store).c_str(), stdout);
        return 0;
    }
    if (options.checkOnly) {
        std::printf("%s: %zu objects, %zu tables\n", source.c_str(), store.Objects().size(), store.Tables().size());
        return 0;
    }

    if (stopRequested)
        return 0;
    SimAgent agent(options, store);
    if (!agent.Start(error)) {
        std::fprintf(stderr, "osprey-sim: %s\n", error.c_str());
        agent.Shutdown();
        return 1;
    }
    agent.Run(&stopRequested);
    agent.Shutdown();
    return 0;
}
