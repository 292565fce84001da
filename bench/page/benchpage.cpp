// Page benchmark: a list page in the window against the same page through
// osprey-export, on the same agent in the same run, and a big table in the
// window.
//
// The agent is osprey-sim serving the bundled switch with ROWS extra entries
// in its forwarding table (dot1qTpFdbTable, the "Unicast Forwarding
// Information" page) and, when snmpsimd is installed, snmpsim serving the
// same entries. For each, the page is opened in the main window (offscreen
// unless a display is set) and timed from the click to the last row; the same
// page is exported with osprey-export --tsv. While the window walks, a 5 ms
// timer records the longest gap between its ticks (how long the window did
// not answer), and the resident memory is read before and after.
//
//   bench-page [--rows N] [--repeat N] [--snmpsim PATH|none]

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QThread>
#include <QTreeWidget>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "pages/tconfigform.h"
#include "pages/tsnmplayoutadapter.h"
#include "platform/kvapplication.h"
#include "platform/kvprogram.h"
#include "shell/pagecommands.h"
#include "tables/pagecatalogue.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"

#include "menutestwindow.h"
#include "snmpdfixture.h" // FreeUdpPort
#include "snmpsimagent.h"
#include "tests/support/childprocess.h"
#include "tests/support/simfixture.h"

namespace {

constexpr const char* kPageTitle = "Unicast Forwarding Information";
constexpr const char* kFdbPort = "1.3.6.1.2.1.17.7.1.2.2.1.2";
constexpr const char* kFdbStatus = "1.3.6.1.2.1.17.7.1.2.2.1.3";

struct Options {
    int rows = 1000;
    int repeat = 3;
    std::string snmpsim = "snmpsimd";
};

// The extra forwarding entries: FDB 1, MAC 02:00:00:hi:lo:01.
std::string Instance(int k)
{
    return "1.2.0.0." + std::to_string(k / 256) + "." + std::to_string(k % 256) + ".1";
}

void WriteSimData(const std::string& path, int rows)
{
    std::ofstream out(path);
    std::ifstream bundled(KvProgram::directory() + "osprey.sim");
    out << bundled.rdbuf() << "\n# bench-page: forwarding entries\n";
    for (int k = 0; k < rows; ++k)
        out << kFdbPort << '.' << Instance(k) << " integer ro " << (k % 26 + 1) << "\n";
    for (int k = 0; k < rows; ++k)
        out << kFdbStatus << '.' << Instance(k) << " integer ro 3\n";
}

// The same entries for snmpsim (OID|TAG|VALUE, in OID order; the bundled
// switch's own entries are not there).
void WriteSnmprec(const std::string& path, int rows)
{
    std::vector<std::pair<std::vector<int>, std::string>> records;
    auto arcs = [](const std::string& oid) {
        std::vector<int> v;
        size_t at = 0;
        while (at < oid.size()) {
            size_t dot = oid.find('.', at);
            v.push_back(std::stoi(oid.substr(at, dot - at)));
            at = dot == std::string::npos ? oid.size() : dot + 1;
        }
        return v;
    };
    for (int k = 0; k < rows; ++k) {
        const std::string p = std::string(kFdbPort) + "." + Instance(k);
        const std::string s = std::string(kFdbStatus) + "." + Instance(k);
        records.emplace_back(arcs(p), p + "|2|" + std::to_string(k % 26 + 1));
        records.emplace_back(arcs(s), s + "|2|3");
    }
    std::sort(records.begin(), records.end());
    std::ofstream out(path);
    out << "1.3.6.1.2.1.1.1.0|4|Osprey page benchmark\n";
    for (const auto& [oid, line] : records)
        out << line << "\n";
    out << "1.3.6.1.6.1.0|4|end\n";
}

long ResidentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct WindowRun {
    double seconds = -1;
    int rows = 0;
    int longestGapMs = 0;
    long residentGrowthKb = 0;
};

// Opens the page in the main window and waits until its walk is over.
WindowRun OpenPage(TMainForm& mainForm, const PageCommand& page)
{
    WindowRun run;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { run.longestGapMs = std::max(run.longestGapMs, static_cast<int>(sinceTick.restart())); });
    QTimer poll;
    poll.setInterval(2);
    const long before = ResidentKilobytes();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* form = dynamic_cast<TConfigForm*>(QApplication::activeModalWidget());
        if (!form || !form->Adapter() || !form->MainBinding())
            return;
        if (!form->Adapter()->getComplete || form->MainBinding()->busy) {
            if (clock.elapsed() < 300000)
                return;
        }
        run.seconds = clock.nsecsElapsed() / 1e9;
        QTreeWidget* list = form->Adapter()->listView;
        run.rows = list ? list->topLevelItemCount() : 0;
        run.residentGrowthKb = ResidentKilobytes() - before;
        poll.stop();
        ticker.stop();
        form->close();
    });
    clock.start();
    sinceTick.start();
    ticker.start();
    poll.start();
    pagecommands::OpenPage(mainForm, page);
    return run;
}

double ExportPage(int expectedRows)
{
    QElapsedTimer clock;
    clock.start();
    ChildProcess exporter;
    const bool started = exporter.start({KvProgram::directory() + "osprey-export", "/I127.0.0.1", "/Rravine",
                                         "/Wlantern", "--page", kPageTitle, "--tsv"});
    const int status = started ? exporter.wait(300000) : -1;
    if (status != 0) {
        std::fprintf(stderr, "bench-page: osprey-export failed (%d)\n", status);
        return -1;
    }
    (void)expectedRows;
    return clock.nsecsElapsed() / 1e9;
}

bool Measure(const char* agentName, uint16_t port, int extraRows, int expectedRows, const Options& options,
             bool compareExport)
{
    MenuTestWindow window(port);
    TMainForm& mainForm = window.Form();
    mainForm.show();
    const PageCommand* page = kvtables::FindPageByTitle(kPageTitle);
    double bestWindow = 1e9, bestExport = 1e9;
    WindowRun last;
    for (int round = 0; round < options.repeat; ++round) {
        last = OpenPage(mainForm, *page);
        if (last.seconds < 0 || last.rows != expectedRows) {
            std::fprintf(stderr, "bench-page: the window showed %d rows, expected %d\n", last.rows, expectedRows);
            return false;
        }
        bestWindow = std::min(bestWindow, last.seconds);
        if (compareExport) {
            const double e = ExportPage(expectedRows);
            if (e < 0)
                return false;
            bestExport = std::min(bestExport, e);
        }
    }
    std::printf("\"%s\" with %d rows (%d forwarding entries added) from %s, best of %d rounds:\n", kPageTitle,
                expectedRows, extraRows, agentName, options.repeat);
    std::printf("  window, click to last row        %8.3f s\n", bestWindow);
    if (compareExport)
        std::printf("  osprey-export --tsv              %8.3f s   window / export = %.2f (target 1.2 or less)\n",
                    bestExport, bestWindow / bestExport);
    std::printf("  longest event-loop gap, last run %8d ms  (target under 50 ms)\n", last.longestGapMs);
    std::printf("  resident memory growth, last run %8.1f MB  = %.2f kB per row\n\n", last.residentGrowthKb / 1024.0,
                static_cast<double>(last.residentGrowthKb) / std::max(1, last.rows));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--rows")
            options.rows = std::max(1, std::atoi(value().c_str()));
        else if (a == "--repeat")
            options.repeat = std::max(1, std::atoi(value().c_str()));
        else if (a == "--snmpsim")
            options.snmpsim = value();
        else {
            std::fprintf(stderr, "usage: bench-page [--rows N] [--repeat N] [--snmpsim PATH|none]\n");
            return 2;
        }
    }
    const std::string dir = std::filesystem::temp_directory_path() / ("kvbenchpage-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir + "/snmprec");
    struct Cleanup {
        std::string dir;
        ~Cleanup()
        {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    } cleanup{dir};
    // The bundled switch has six forwarding entries of its own (plus two on other VLANs).
    constexpr int kBundledEntries = 8;

    {
        WriteSimData(dir + "/switch.sim", options.rows);
        SimFixture sim({.dataFile = dir + "/switch.sim", .requestLog = false});
        std::string why;
        if (!sim.start(&why)) {
            std::fprintf(stderr, "bench-page: osprey-sim did not start: %s\n", why.c_str());
            return 1;
        }
        const uint16_t port = sim.port();
        if (!Measure("osprey-sim", port, options.rows, options.rows + kBundledEntries, options, true))
            return 1;
    }
    if (options.snmpsim == "none")
        return 0;
    WriteSnmprec(dir + "/snmprec/ravine.snmprec", options.rows);
    std::filesystem::permissions(dir, std::filesystem::perms::all, std::filesystem::perm_options::add);
    std::filesystem::permissions(dir + "/snmprec", std::filesystem::perms::all, std::filesystem::perm_options::add);
    SnmpsimAgent snmpsim;
    const uint16_t port = snmpsim.Start(options.snmpsim, dir + "/snmprec", FreeUdpPort(), dir + "/snmpsim.log");
    if (!port) {
        std::printf("snmpsim: %s did not start or answer (Debian package snmpsim); skipped\n", options.snmpsim.c_str());
        return 0;
    }
    return Measure("snmpsim", port, options.rows, options.rows, options, true) ? 0 : 1;
}
