#pragma once
// Runs the MIB browser stand-in in the test's own process, as its program
// entry does, in a world of its own: a working directory and a registry
// stand-in (the message files beside the test program, the host registered,
// the per-switch INI files in the test's directory).
//
//   BrowserRun run;
//   run.WriteIni(sim.port());
//   const int status = run.Run(run.CommandLine("/TMIB_Info"), [](TBrowserForm& window) { ... });
//
// Run starts the program's run (RunBrowser) with the parameters; once its
// window has finished its first fetch (or after the time limit) it hands the
// window to `check` and closes it, which ends the run. `check` runs from the
// event loop itself, so it may wait for further fetches.
#include <functional>
#include <string>
#include <vector>

#include "shell/launcher.h"
#include "tempdir.h"

class TBrowserForm;

class BrowserRun {
public:
    BrowserRun();
    ~BrowserRun();
    BrowserRun(const BrowserRun&) = delete;
    BrowserRun& operator=(const BrowserRun&) = delete;

    // Conf/127.0.0.1.cfg: the agent's port and SNMPv2c (Version 1), as the
    // host keeps it for a switch.
    void WriteIni(unsigned short port) const;

    // The settings of a main window started for 127.0.0.1 with the read and
    // write communities, with the INI file above (SNMPv2c).
    static launcher::BrowserSettings V2cSettings(unsigned short port, const std::string& readCommunity,
                                                 const std::string& writeCommunity);
    // The settings of a main window started with SNMPv3 on its command line
    // (no INI file): authPriv, SHA and AES-128.
    static launcher::BrowserSettings V3Settings(unsigned short port, const std::string& user,
                                                const std::string& authPassword, const std::string& privPassword);
    // The parameters the launcher starts the browser program with for
    // `pageName` ("/TMIB_Info"): its command line less the program name.
    static std::vector<std::string> Parameters(const std::string& pageName, const launcher::BrowserSettings& settings);

    int Run(const std::vector<std::string>& parameters, const std::function<void(TBrowserForm&)>& check,
            int fetchLimitMs = 20000);

    // Whether `check` ran (a window opened).
    bool Checked() const { return checked_; }
    const TempDir& Dir() const { return dir_; }

    static constexpr const char* kAddress = "127.0.0.1";

private:
    std::string previous_;
    TempDir dir_;
    bool checked_ = false;
};
