#pragma once
// An OID text of the data file with up to two "[...]" lists ("1.3.6.[1..26]",
// "2.[1..8,25].[1..4]"): the literal texts around the lists (one more than
// there are lists) and each list's values.

#include <string>
#include <vector>

#include "sim/simoid.h"

struct SimOidPattern {
    std::vector<std::string> pieces;
    std::vector<std::vector<oid>> lists;

    // How many objects the lists stand for.
    size_t Count() const;
    // The OID text for one value of each list.
    std::string Text(const std::vector<oid>& arcs) const;

    // Splits an OID text with optional "[...]" lists into literal texts and
    // the lists' values. At most two lists, together standing for at most
    // `limit` objects.
    static bool Parse(const std::string& text, size_t limit, SimOidPattern& pattern, std::string& error);

private:
    // The values of "a..b,c,..."; false for a malformed list. Stops with
    // `tooMany` set once the list would hold more than `limit` values,
    // before they are made.
    static bool ExpandList(const std::string& inside, size_t limit, std::vector<oid>& values, bool& tooMany);
};
