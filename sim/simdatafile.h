#pragma once
// Reading and writing the simulator's data file (format: sim/README.md).

#include <string>

#include "sim/simstore.h"

class SimDataFile {
public:
    // Loads `path` into `store`. On failure gives false and a message that
    // names the file and the line ("osprey.sim:12: ...").
    static bool Load(const std::string& path, SimStore& store, std::string& error);
    // The most objects one line (its ranges expanded) and a whole file may
    // stand for; a file beyond them is refused before the objects are made.
    struct Limits {
        size_t objectsPerLine = 200000;
        size_t objectsPerFile = 1000000;
    };

    // Loads from text; `name` stands for the file in messages.
    static bool LoadText(const std::string& text, const std::string& name, SimStore& store, std::string& error);
    static bool LoadText(const std::string& text, const std::string& name, SimStore& store, std::string& error,
                         const Limits& limits);

    // The whole store in data-file form, one object per line, tables first.
    static std::string ToText(const SimStore& store);
    // Writes toText() through a temporary file and a rename.
    static bool Save(const std::string& path, const SimStore& store, std::string& error);
};
