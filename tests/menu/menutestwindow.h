#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tempdir.h"

class TMainForm;

// The program's main window for one test, in a world of its own: a working
// directory and registry of their own (the message files beside the test
// program, the per-switch INI files in the test's directory) and, when an
// agent port is given, an INI file for 127.0.0.1 that points at it (SNMPv2c).
// Started with /I127.0.0.1 /Rravine /Wlantern. The MIB browser programs that
// its browser commands start (the stand-in beside the program) are ended when
// the window goes. The user's settings are read from and kept in the test's
// directory.
class MenuTestWindow {
public:
    // `agentPort` 0: no INI file (the switch is not reachable).
    explicit MenuTestWindow(unsigned short agentPort = 0, const std::string& registryExtra = std::string());
    ~MenuTestWindow();
    MenuTestWindow(const MenuTestWindow&) = delete;
    MenuTestWindow& operator=(const MenuTestWindow&) = delete;

    TMainForm& Form() { return *form_; }
    const TempDir& Dir() const { return dir_; }

    static constexpr const char* kAddress = "127.0.0.1";

private:
    std::filesystem::path previous_;
    std::optional<std::string> previousConfig_;
    TempDir dir_;
    std::unique_ptr<TMainForm> form_;
};
