#pragma once
#include <cstdint>
#include <string>
#include <vector>

class KvOptionList;

// One write request of a restore: one SET carrying one or more variables.
struct KvConfigWrite {
    enum class Kind { Set, CreateRow, RemoveRow };

    struct Variable {
        std::string label;
        std::string oid; // full object identifier, with the instance
        uint32_t syntax = 0;
        const KvOptionList* options = nullptr; // value names of the column, or null
        std::string value;                     // the text written, as the window shows it
        std::string before;                    // the switch's value before, as read
        bool absent = false;                   // the switch had no value before (a new row)
    };

    Kind kind = Kind::Set;
    std::string page;   // page title
    std::string row;    // the row's index values; empty for scalars
    bool reach = false; // changes how the switch is reached
    std::vector<Variable> variables;
};
