#pragma once
// A private working directory for osprey-export with the set-up the program
// reads: a registry stand-in that points at the build's message files and at a
// configuration directory, and, when asked, the per-switch INI file there.
#include <string>

class ExportSetup {
public:
    ExportSetup();
    ~ExportSetup();
    ExportSetup(const ExportSetup&) = delete;
    ExportSetup& operator=(const ExportSetup&) = delete;

    const std::string& Directory() const { return dir_; }
    std::string RegistryPath() const { return dir_ + "/registry.ini"; }

    // Writes Conf/<address>.cfg: the agent's port and an SNMPv2c session
    // (Version 1), as the host keeps it for a switch.
    void WriteIniFile(const std::string& address, unsigned short port) const;

private:
    std::string dir_;
};
