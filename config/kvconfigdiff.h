#pragma once
#include <string>
#include <vector>

#include "config/kvconfigmodel.h"

// The differences between two snapshots, A and B, setting by setting: pages
// in A's order (then those only B has), rows in A's order (then those only B
// has), settings matched by object identifier.
class KvConfigDiff {
public:
    struct Difference {
        std::string page; // page title
        std::string row;  // the row's index values (its key when they are empty); empty for scalars
        std::string label;
        std::string a; // value in A, or what happened ("added row", "page absent", ...)
        std::string b;
        bool valueChange = false; // a and b are values

        // "Title, row 5: Label: A "x", B "y"" or "Title, row 7: added row".
        std::string Line() const;
    };

    static std::vector<Difference> Compare(const KvConfigSnapshot& a, const KvConfigSnapshot& b);
    // How a row is named in lines: its index values, or its key.
    static std::string RowName(const KvConfigRow& row);
};
