// Walk benchmark: how fast the request engine walks a table, against
// Net-SNMP's snmpwalk and snmpbulkwalk -Cr25 of the same columns, on the same
// agent in the same run.
//
// The table (ROWS rows, 4 columns under ENT.99.1.1) comes from
// sim/generate-table.py. It is served on loopback by osprey-sim and, when
// snmpsimd is installed, by snmpsim (a slower agent nobody here wrote). Each
// round walks it five ways: FetchAsync driven by the Qt event loop (as the
// pages do) with GETBULK and with GETNEXT, blocking Fetch with GETBULK,
// snmpwalk and snmpbulkwalk -Cr25 (numeric OIDs, no MIB files loaded). The
// best round of each is printed with rows per second and the ratio of its
// time to snmpbulkwalk's.
//
//   bench-walk [--rows N] [--repeat N] [--sim PATH] [--snmpsim PATH|none]

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

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
#include "snmpdfixture.h" // FreeUdpPort
#include "snmpsimagent.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int rows = 1000;
    int repeat = 3;
    std::string sim;
    std::string snmpsim = "snmpsimd";
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
    ChildProcess::Options options{.out = output.empty() ? ChildProcess::Output::inherit()
                                                        : ChildProcess::Output::file(output),
                                  .err = ChildProcess::Output::inherit()};
    if (noMibs) {
        options.environment = {"MIBS=", "MIBDIRS=/nonexistent"};
        options.err = ChildProcess::Output::discard();
    }
    ChildProcess child;
    if (!child.start(arguments, options))
        return -1;
    const int status = child.wait(600000);
    return child.exitedNormally() ? status : -1;
}

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

std::unique_ptr<KvSNMPRequest> TableRequest(const VarDef* table, uint16_t port, bool bulk)
{
    auto r = std::make_unique<KvSNMPRequest>();
    r->bulkWalks = bulk;
    r->timeout = 300;
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

struct Figures {
    double asyncBulk = 1e9, asyncGetNext = 1e9, blockingBulk = 1e9, snmpwalk = 1e9, snmpbulkwalk = 1e9;
};

// Walks the table asynchronously; the time, or a negative number on failure.
double AsyncWalk(const VarDef* table, uint16_t port, bool bulk, int expectedRows)
{
    auto r = TableRequest(table, port, bulk);
    QEventLoop loop;
    Walker walker;
    walker.request = r.get();
    walker.loop = &loop;
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    auto start = Clock::now();
    r->FetchAsync(&OnStep, &walker, true);
    loop.exec();
    const double t = Seconds(Clock::now() - start);
    if (walker.last.code != 0 || walker.rows != expectedRows) {
        std::fprintf(stderr, "bench-walk: asynchronous walk failed after %d rows: %s\n", walker.rows,
                     walker.last.message.c_str());
        return -1;
    }
    return t;
}

double BlockingWalk(const VarDef* table, uint16_t port, int expectedRows)
{
    auto r = TableRequest(table, port, true);
    int rows = 0;
    auto start = Clock::now();
    try {
        for (bool more = r->Fetch(true); more; more = r->Fetch(false))
            ++rows;
    } catch (const KvError& e) {
        std::fprintf(stderr, "bench-walk: blocking walk failed: %s\n", e.message().c_str());
        return -1;
    }
    if (rows != expectedRows)
        return -1;
    return Seconds(Clock::now() - start);
}

// snmpwalk or snmpbulkwalk of the entry; the time, negative on failure.
double ToolWalk(const std::vector<std::string>& tool, uint16_t port, const std::string& entry, const std::string& out,
                int expectedValues)
{
    std::vector<std::string> arguments = tool;
    for (const char* a : {"-v2c", "-c", "ravine", "-t", "3", "-On", "-Oq"})
        arguments.push_back(a);
    arguments.push_back("127.0.0.1:" + std::to_string(port));
    arguments.push_back(entry);
    auto start = Clock::now();
    const int status = Run(arguments, out, true);
    const double t = Seconds(Clock::now() - start);
    std::ifstream in(out);
    const int lines =
        static_cast<int>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
    if (status != 0 || lines != expectedValues) {
        std::fprintf(stderr, "bench-walk: %s failed (status %d, %d values, expected %d)\n", tool[0].c_str(), status,
                     lines, expectedValues);
        return -1;
    }
    return t;
}

bool Measure(const char* agentName, uint16_t port, const VarDef* table, const std::string& entry,
             const Options& options, const std::string& dir)
{
    Figures best;
    const std::string out = dir + "/tool.out";
    for (int round = 0; round < options.repeat; ++round) {
        const double times[5] = {
            AsyncWalk(table, port, true, options.rows),
            AsyncWalk(table, port, false, options.rows),
            BlockingWalk(table, port, options.rows),
            ToolWalk({"snmpwalk"}, port, entry, out, 4 * options.rows),
            ToolWalk({"snmpbulkwalk", "-Cr25"}, port, entry, out, 4 * options.rows),
        };
        for (double t : times)
            if (t < 0)
                return false;
        best.asyncBulk = std::min(best.asyncBulk, times[0]);
        best.asyncGetNext = std::min(best.asyncGetNext, times[1]);
        best.blockingBulk = std::min(best.blockingBulk, times[2]);
        best.snmpwalk = std::min(best.snmpwalk, times[3]);
        best.snmpbulkwalk = std::min(best.snmpbulkwalk, times[4]);
    }
    std::printf("Walk of a %d-row, 4-column table served by %s on udp:127.0.0.1:%u (SNMPv2c),\n"
                "best of %d rounds:\n\n",
                options.rows, agentName, port, options.repeat);
    std::printf("  %-36s %9s %12s %14s\n", "", "time (s)", "rows/s", "vs bulkwalk");
    auto line = [&](const char* what, double t) {
        std::printf("  %-36s %9.3f %12.0f %14.2f\n", what, t, options.rows / t, t / best.snmpbulkwalk);
    };
    line("FetchAsync, GETBULK (Qt event loop)", best.asyncBulk);
    line("FetchAsync, GETNEXT (OSPREY_GETNEXT)", best.asyncGetNext);
    line("Fetch (blocking), GETBULK", best.blockingBulk);
    line("snmpwalk, same 4 columns", best.snmpwalk);
    line("snmpbulkwalk -Cr25, same 4 columns", best.snmpbulkwalk);
    std::printf("\n  ratio = time / snmpbulkwalk's time (target for the engine's GETBULK walk: 0.50 or less)\n\n");
    return true;
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
        else if (a == "--snmpsim")
            options.snmpsim = value();
        else {
            std::fprintf(stderr, "usage: bench-walk [--rows N] [--repeat N] [--sim PATH] [--snmpsim PATH|none]\n");
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

    const std::string generator = std::string(OSPREY_SOURCE_DIR) + "/sim/generate-table.py";
    const std::string data = dir + "/table.sim";
    const std::string recordDir = dir + "/snmprec";
    std::filesystem::create_directories(recordDir);
    if (Run({"python3", generator, "--rows", std::to_string(options.rows), "--columns", "4", "-o", data}, "") != 0 ||
        Run({"python3", generator, "--rows", std::to_string(options.rows), "--columns", "4", "--format", "snmprec",
             "--enterprise", OSPREY_ENT_TEXT, "-o", recordDir + "/ravine.snmprec"},
            "") != 0) {
        std::fprintf(stderr, "bench-walk: sim/generate-table.py failed\n");
        return 1;
    }
    // snmpsim drops its privileges when started as root.
    std::filesystem::permissions(dir, std::filesystem::perms::all, std::filesystem::perm_options::add);
    std::filesystem::permissions(recordDir, std::filesystem::perms::all, std::filesystem::perm_options::add);

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
        {columns[0].c_str(), "Index", synInteger, accIdx | accRead, nullptr, nullptr, nullptr, nullptr},
        {columns[1].c_str(), "Name", synDisplayString, accRO, nullptr, nullptr, nullptr, nullptr},
        {columns[2].c_str(), "Counter", synCounter32, accRO, nullptr, nullptr, nullptr, nullptr},
        {columns[3].c_str(), "State", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };

    {
        SimFixture sim({.dataFile = data, .program = options.sim, .requestLog = false});
        std::string why;
        if (!sim.start(&why)) {
            std::fprintf(stderr, "bench-walk: %s did not start (build the osprey-sim target): %s\n",
                         options.sim.c_str(), why.c_str());
            return 1;
        }
        if (!Measure("osprey-sim", sim.port(), table, entry, options, dir))
            return 1;
    }
    if (options.snmpsim == "none")
        return 0;
    SnmpsimAgent snmpsim;
    const uint16_t port = snmpsim.Start(options.snmpsim, recordDir, FreeUdpPort(), dir + "/snmpsim.log");
    if (!port) {
        std::printf("snmpsim: %s did not start or answer (Debian package snmpsim); skipped\n", options.snmpsim.c_str());
        return 0;
    }
    return Measure("snmpsim", port, table, entry, options, dir) ? 0 : 1;
}
