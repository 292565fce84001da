#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include "config/kvconfigcatalogue.h"
#include "config/kvconfigmodel.h"

// A read of the switch that failed: the status line, and whether the switch
// did not answer at all.
class KvConfigReadError : public std::runtime_error {
public:
    KvConfigReadError(const std::string& statusLine, bool noAnswer)
        : std::runtime_error(statusLine), noAnswer_(noAnswer)
    {
    }
    bool NoAnswer() const { return noAnswer_; }

private:
    bool noAnswer_;
};

// Reads the settings of the catalogue's pages from the switch, through the
// request engine and the session the program's start-up set up. A page the
// switch does not have (noSuchObject, noSuchInstance, noSuchName) is recorded
// as absent; any other failure, a time-out above all, ends the read with
// KvConfigReadError.
class KvConfigReader {
public:
    // Called after every page: pages done, pages in all.
    using Progress = std::function<void(size_t done, size_t total)>;

    KvConfigSnapshot Read(const KvConfigCatalogue& catalogue, const Progress& progress = {});
    // The switch's sysObjectID, which names its model.
    std::string Model();
    KvConfigPage ReadPage(const KvConfigCatalogue::Page& page);
};
