// Walk benchmark: how fast the request engine walks a table, against
// Net-SNMP's snmpwalk of the same columns on the same agent in the same run.
//
// The table (ROWS rows, 4 columns under ENT.99.1.1) comes from
// sim/generate-table.py and is served on loopback by osprey-sim. Each round
// walks it three ways: FetchAsync driven by the Qt event loop (as the pages
// do), blocking Fetch, and snmpwalk (numeric OIDs, no MIB files loaded). The
// best round of each is printed with rows per second and the ratio of its time
// to snmpwalk's (below 1 means faster than snmpwalk).
//
//   bench-walk [--rows N] [--repeat N] [--sim PATH] [--snmpwalk PATH]

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "common/kverror.h"
#include "osprey_config.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int rows = 1000;
    int repeat = 3;
    std::string sim;
    std::string snmpwalk = "snmpwalk";
};

std::string ProgramDirectory()
{
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "." : self.parent_path().string();
}

// Runs a program, waits for it, gives its exit status; standard output goes to
// `output` ("" keeps it, "/dev/null" drops it).
int Run(const std::vector<std::string>& arguments, const std::string& output, bool noMibs = false)
{
    pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (!output.empty()) {
            int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0)
                ::dup2(fd, 1);
        }
        if (noMibs) {
            ::setenv("MIBS", "", 1);
            ::setenv("MIBDIRS", "/nonexistent", 1);
            int null = ::open("/dev/null", O_WRONLY);
            if (null >= 0)
                ::dup2(null, 2);
        }
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Simulator {
public:
    ~Simulator()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // Starts osprey-sim on a free loopback port; gives the port, 0 on failure.
    uint16_t Start(const std::string& program, const std::string& data, const std::string& dir)
    {
        const std::string ready = dir + "/ready";
        pid_ = ::fork();
        if (pid_ < 0)
            return 0;
        if (pid_ == 0) {
            ::execl(program.c_str(), program.c_str(), "--listen", "udp:127.0.0.1:0", "--data", data.c_str(),
                    "--ready-file", ready.c_str(), "--exit-with-parent", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 200; ++i) {
            std::ifstream in(ready);
            std::string address;
            if (in >> address) {
                size_t colon = address.rfind(':');
                if (colon != std::string::npos)
                    return static_cast<uint16_t>(std::atoi(address.c_str() + colon + 1));
            }
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return 0;
    }

private:
    pid_t pid_ = -1;
};

struct Walker {
    KvSNMPRequest* request = nullptr;
    QEventLoop* loop = nullptr;
    int rows = 0;
    KvSNMPError last;
};

void OnStep(void* context, KvSNMPError& error, KvSNMPVarList&)
{
    auto* walker = static_cast<Walker*>(context);
    walker->last = error;
    if (error.code != 0 || error.finished) {
        walker->loop->quit();
        return;
    }
    ++walker->rows;
    try {
        walker->request->FetchAsync(&OnStep, walker, false);
    } catch (const KvError& e) {
        walker->last.code = e.code();
        walker->last.message = e.message();
        walker->loop->quit();
    }
}

std::unique_ptr<KvSNMPRequest> TableRequest(const VarDef* table, uint16_t port)
{
    auto r = std::make_unique<KvSNMPRequest>();
    r->variables = KvSNMPVarList(table, kvListTable, 1);
    r->address = "127.0.0.1";
    r->port = port;
    r->version = 1;
    r->readCommunity = "ravine";
    r->writeCommunity = "lantern";
    return r;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    options.sim = ProgramDirectory() + "/osprey-sim";
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--rows")
            options.rows = std::max(1, std::atoi(value().c_str()));
        else if (a == "--repeat")
            options.repeat = std::max(1, std::atoi(value().c_str()));
        else if (a == "--sim")
            options.sim = value();
        else if (a == "--snmpwalk")
            options.snmpwalk = value();
        else {
            std::fprintf(stderr, "usage: bench-walk [--rows N] [--repeat N] [--sim PATH] [--snmpwalk PATH]\n");
            return 2;
        }
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "kvbench-XXXXXX").string();
    std::vector<char> dirName(pattern.begin(), pattern.end());
    dirName.push_back('\0');
    if (!::mkdtemp(dirName.data())) {
        std::fprintf(stderr, "bench-walk: cannot create a temporary directory\n");
        return 1;
    }
    const std::string dir = dirName.data();
    struct Cleanup {
        std::string dir;
        ~Cleanup()
        {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    } cleanup{dir};

    const std::string data = dir + "/table.sim";
    if (Run({"python3", std::string(OSPREY_SOURCE_DIR) + "/sim/generate-table.py", "--rows",
             std::to_string(options.rows), "--columns", "4", "-o", data},
            "") != 0) {
        std::fprintf(stderr, "bench-walk: sim/generate-table.py failed\n");
        return 1;
    }
    Simulator simulator;
    const uint16_t port = simulator.Start(options.sim, data, dir);
    if (!port) {
        std::fprintf(stderr, "bench-walk: %s did not start (build the osprey-sim target)\n", options.sim.c_str());
        return 1;
    }

    SnmpEventProcessor processor;
    try {
        StartSnmpEngine(dir);
    } catch (const KvError& e) {
        std::fprintf(stderr, "bench-walk: %s\n", e.message().c_str());
        return 1;
    }

    const std::string entry = std::string(OSPREY_ENT_OID) + ".99.1.1";
    const std::string columns[4] = {entry + ".1", entry + ".2", entry + ".3", entry + ".4"};
    const VarDef table[] = {
        {columns[0].c_str(), "Index",   synInteger,       accIdx | accRead, nullptr, nullptr, nullptr, nullptr},
        {columns[1].c_str(), "Name",    synDisplayString, accRO,            nullptr, nullptr, nullptr, nullptr},
        {columns[2].c_str(), "Counter", synCounter32,     accRO,            nullptr, nullptr, nullptr, nullptr},
        {columns[3].c_str(), "State",   synInteger,       accRO,            nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };

    double bestAsync = 1e9, bestBlocking = 1e9, bestTool = 1e9;
    int asyncRows = 0, blockingRows = 0;
    for (int round = 0; round < options.repeat; ++round) {
        {
            auto r = TableRequest(table, port);
            QEventLoop loop;
            Walker walker;
            walker.request = r.get();
            walker.loop = &loop;
            QTimer::singleShot(120000, &loop, &QEventLoop::quit);
            auto start = Clock::now();
            r->FetchAsync(&OnStep, &walker, true);
            loop.exec();
            double t = Seconds(Clock::now() - start);
            if (walker.last.code != 0) {
                std::fprintf(stderr, "bench-walk: asynchronous walk failed: %s\n", walker.last.message.c_str());
                return 1;
            }
            asyncRows = walker.rows;
            bestAsync = std::min(bestAsync, t);
        }
        {
            auto r = TableRequest(table, port);
            int rows = 0;
            auto start = Clock::now();
            try {
                for (bool more = r->Fetch(true); more; more = r->Fetch(false))
                    ++rows;
            } catch (const KvError& e) {
                std::fprintf(stderr, "bench-walk: blocking walk failed: %s\n", e.message().c_str());
                return 1;
            }
            blockingRows = rows;
            bestBlocking = std::min(bestBlocking, Seconds(Clock::now() - start));
        }
        {
            const std::string out = dir + "/snmpwalk.out";
            auto start = Clock::now();
            int status = Run({options.snmpwalk, "-v2c", "-c", "ravine", "-On", "-Oq",
                              "127.0.0.1:" + std::to_string(port), entry},
                             out, true);
            double t = Seconds(Clock::now() - start);
            if (status != 0) {
                std::fprintf(stderr, "bench-walk: snmpwalk failed (status %d)\n", status);
                return 1;
            }
            std::ifstream in(out);
            int lines = static_cast<int>(std::count(std::istreambuf_iterator<char>(in),
                                                    std::istreambuf_iterator<char>(), '\n'));
            if (lines != 4 * options.rows) {
                std::fprintf(stderr, "bench-walk: snmpwalk gave %d values, expected %d\n", lines, 4 * options.rows);
                return 1;
            }
            bestTool = std::min(bestTool, t);
        }
    }

    std::printf("Walk of a %d-row, 4-column table served by osprey-sim on udp:127.0.0.1:%u (SNMPv2c),\n"
                "best of %d rounds:\n\n",
                options.rows, port, options.repeat);
    std::printf("  %-34s %9s %12s %10s\n", "", "time (s)", "rows/s", "vs snmpwalk");
    std::printf("  %-34s %9.3f %12.0f %10.2f   (%d rows)\n", "FetchAsync (Qt event loop)", bestAsync,
                asyncRows / bestAsync, bestAsync / bestTool, asyncRows);
    std::printf("  %-34s %9.3f %12.0f %10.2f   (%d rows)\n", "Fetch (blocking)", bestBlocking,
                blockingRows / bestBlocking, bestBlocking / bestTool, blockingRows);
    std::printf("  %-34s %9.3f %12.0f %10.2f\n", "snmpwalk, same 4 columns", bestTool,
                options.rows / bestTool, 1.0);
    std::printf("\n  ratio = time / snmpwalk's time (target: 1.00 or less)\n");
    if (asyncRows != options.rows || blockingRows != options.rows) {
        std::fprintf(stderr, "bench-walk: expected %d rows\n", options.rows);
        return 1;
    }
    return 0;
}
