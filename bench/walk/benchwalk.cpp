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
// GETBULK walks size their requests by what the process learnt of the agent:
// the first FetchAsync walk of each round starts afresh (as the first walk of
// a switch does), the second and the blocking one start from what was learnt.
// The best round of each is printed with rows per second, requests, and the
// ratio of its time to snmpbulkwalk's. snmpsim then serves a table of
// BIG rows (default 10,000), walked by the engine's GETBULK walks and
// snmpbulkwalk -Cr25 only.
//
// Beside each time stands the agent's own processor time for the walk. snmpsim
// spends it mostly on each binding, whatever the request it comes in: the
// same 1000-row table served by an snmpsim that answers up to 4096 bindings
// a GETBULK (--max-varbinds) shows what the fewest requests can give.
//
//   bench-walk [--rows N] [--big-rows N|0] [--repeat N] [--sim PATH] [--snmpsim PATH|none]

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
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/kverror.h"
#include "osprey_config.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/kvsnmpwalkcursor.h"
#include "snmp/snmpeventprocessor.h"
#include "snmpdfixture.h" // FreeUdpPort
#include "snmpsimagent.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int rows = 1000;
    int bigRows = 10000;
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

// The best time of one way of walking, and the requests it took.
struct Best {
    double seconds = 1e9;
    int64_t requests = 0;
    double agentSeconds = 0; // the agent's processor time
    void Take(double t, int64_t sent, double agent)
    {
        if (t < seconds) {
            seconds = t;
            requests = sent;
            agentSeconds = agent;
        }
    }
};

// Processor time (user and system) `pid` has used so far, in seconds; 0 when
// it cannot be read.
double ProcessorSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t name = stat.rfind(')'); // the command name may hold blanks
    if (pid <= 0 || name == std::string::npos)
        return 0;
    std::istringstream fields(stat.substr(name + 1));
    std::string field;
    unsigned long long user = 0, system = 0;
    // state is field 3, utime 14, stime 15
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::strtoull(field.c_str(), nullptr, 10);
        else if (i == 15)
            system = std::strtoull(field.c_str(), nullptr, 10);
    }
    return static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// One walk: its time, the requests the engine sent, the agent's processor time.
struct Walked {
    double seconds = 0;
    int64_t requests = 0;
    double agentSeconds = 0;
};

struct Figures {
    Best asyncFirst, asyncLearnt, asyncGetNext, blockingBulk, snmpwalk, snmpbulkwalk;
};

// Runs `walk` and gives its time with the requests the engine sent for it
// and the processor time of the agent `agent`.
template <typename Walk>
Walked Counted(pid_t agent, Walk walk)
{
    const int64_t before = KvSNMPWalkCursor::Totals().requests;
    const double cpu = ProcessorSeconds(agent);
    const double t = walk();
    return {t, KvSNMPWalkCursor::Totals().requests - before, ProcessorSeconds(agent) - cpu};
}

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

// Walks the table every way (`full`; else the engine's GETBULK walks and
// snmpbulkwalk only) and prints the best round of each.
bool Measure(const char* agentName, pid_t agent, uint16_t port, const VarDef* table, const std::string& entry, int rows,
             const Options& options, const std::string& dir, bool full)
{
    Figures best;
    const std::string out = dir + "/tool.out";
    const int64_t bulkwalkRequests = (4 * rows) / 25 + 1; // 25 bindings an answer, and the end
    for (int round = 0; round < options.repeat; ++round) {
        KvSNMPWalkCursor::ForgetAgents();
        const Walked first = Counted(agent, [&] { return AsyncWalk(table, port, true, rows); });
        const Walked learnt = Counted(agent, [&] { return AsyncWalk(table, port, true, rows); });
        const Walked blocking = Counted(agent, [&] { return BlockingWalk(table, port, rows); });
        const Walked getNext = full ? Counted(agent, [&] { return AsyncWalk(table, port, false, rows); }) : Walked{};
        const Walked walk =
            full ? Counted(agent, [&] { return ToolWalk({"snmpwalk"}, port, entry, out, 4 * rows); }) : Walked{};
        const Walked bulkwalk = Counted(agent, [&] {
            return ToolWalk({"snmpbulkwalk", "-Cr25"}, port, entry, out, 4 * rows);
        });
        for (const Walked& w : {first, learnt, blocking, getNext, walk, bulkwalk})
            if (w.seconds < 0)
                return false;
        best.asyncFirst.Take(first.seconds, first.requests, first.agentSeconds);
        best.asyncLearnt.Take(learnt.seconds, learnt.requests, learnt.agentSeconds);
        best.blockingBulk.Take(blocking.seconds, blocking.requests, blocking.agentSeconds);
        best.asyncGetNext.Take(getNext.seconds, getNext.requests, getNext.agentSeconds);
        best.snmpwalk.Take(walk.seconds, 4 * rows + 1, walk.agentSeconds);
        best.snmpbulkwalk.Take(bulkwalk.seconds, bulkwalkRequests, bulkwalk.agentSeconds);
    }
    std::printf("Walk of a %d-row, 4-column table served by %s on udp:127.0.0.1:%u (SNMPv2c),\n"
                "best of %d rounds:\n\n",
                rows, agentName, port, options.repeat);
    std::printf("  %-52s %9s %12s %9s %12s %10s\n", "", "time (s)", "rows/s", "requests", "vs bulkwalk", "agent CPU");
    auto line = [&](const char* what, const Best& b) {
        std::printf("  %-52s %9.3f %12.0f %9lld %12.2f %10.2f\n", what, b.seconds, rows / b.seconds,
                    static_cast<long long>(b.requests), b.seconds / best.snmpbulkwalk.seconds, b.agentSeconds);
    };
    line("FetchAsync, GETBULK, first walk of the agent", best.asyncFirst);
    line("FetchAsync, GETBULK, sizes learnt", best.asyncLearnt);
    line("Fetch (blocking), GETBULK, sizes learnt", best.blockingBulk);
    if (full) {
        line("FetchAsync, GETNEXT (OSPREY_GETNEXT)", best.asyncGetNext);
        line("snmpwalk, same 4 columns", best.snmpwalk);
    }
    line("snmpbulkwalk -Cr25, same 4 columns (requests est.)", best.snmpbulkwalk);
    std::printf("\n  ratio = time / snmpbulkwalk's time (target for the engine's GETBULK walk on snmpsim,\n"
                "  1000 rows: 0.50 or less); agent CPU = the agent's processor time for that walk (s)\n\n");
    return true;
}

// The table of `rows` rows as a simulator data file and an snmpsim record file.
bool Generate(int rows, const std::string& data, const std::string& recordDir)
{
    const std::string generator = std::string(OSPREY_SOURCE_DIR) + "/sim/generate-table.py";
    std::filesystem::create_directories(recordDir);
    if (Run({"python3", generator, "--rows", std::to_string(rows), "--columns", "4", "-o", data}, "") != 0 ||
        Run({"python3", generator, "--rows", std::to_string(rows), "--columns", "4", "--format", "snmprec",
             "--enterprise", OSPREY_ENT_TEXT, "-o", recordDir + "/ravine.snmprec"},
            "") != 0) {
        std::fprintf(stderr, "bench-walk: sim/generate-table.py failed\n");
        return false;
    }
    // snmpsim drops its privileges when started as root.
    std::filesystem::permissions(recordDir, std::filesystem::perms::all, std::filesystem::perm_options::add);
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
        else if (a == "--big-rows")
            options.bigRows = std::max(0, std::atoi(value().c_str()));
        else if (a == "--repeat")
            options.repeat = std::max(1, std::atoi(value().c_str()));
        else if (a == "--sim")
            options.sim = value();
        else if (a == "--snmpsim")
            options.snmpsim = value();
        else {
            std::fprintf(stderr, "usage: bench-walk [--rows N] [--big-rows N|0] [--repeat N] [--sim PATH] "
                                 "[--snmpsim PATH|none]\n");
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
    const std::string recordDir = dir + "/snmprec";
    std::filesystem::permissions(dir, std::filesystem::perms::all, std::filesystem::perm_options::add);
    if (!Generate(options.rows, data, recordDir))
        return 1;

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
        if (!Measure("osprey-sim", sim.pid(), sim.port(), table, entry, options.rows, options, dir, true))
            return 1;
    }
    if (options.snmpsim == "none")
        return 0;
    {
        SnmpsimAgent snmpsim;
        const uint16_t port = snmpsim.Start(options.snmpsim, recordDir, FreeUdpPort(), dir + "/snmpsim.log");
        if (!port) {
            std::printf("snmpsim: %s did not start or answer (Debian package snmpsim); skipped\n",
                        options.snmpsim.c_str());
            return 0;
        }
        if (!Measure("snmpsim", snmpsim.pid(), port, table, entry, options.rows, options, dir, true))
            return 1;
    }
    {
        // The fewest requests: an snmpsim that answers up to 4096 bindings.
        SnmpsimAgent snmpsim;
        const uint16_t port = snmpsim.Start(options.snmpsim, recordDir, FreeUdpPort(), dir + "/snmpsim-wide.log",
                                            {"--max-varbinds=4096"});
        if (port && !Measure("snmpsim --max-varbinds=4096", snmpsim.pid(), port, table, entry, options.rows, options,
                             dir, false))
            return 1;
    }
    if (options.bigRows == 0)
        return 0;
    const std::string bigRecordDir = dir + "/snmprec-big";
    if (!Generate(options.bigRows, dir + "/big.sim", bigRecordDir))
        return 1;
    SnmpsimAgent snmpsim;
    const uint16_t port = snmpsim.Start(options.snmpsim, bigRecordDir, FreeUdpPort(), dir + "/snmpsim-big.log");
    if (!port) {
        std::printf("snmpsim: %s did not start with %d rows; skipped\n", options.snmpsim.c_str(), options.bigRows);
        return 0;
    }
    return Measure("snmpsim", snmpsim.pid(), port, table, entry, options.bigRows, options, dir, false) ? 0 : 1;
}
