#pragma once
// The constraints a data-file line can put on an object: an enumeration,
// numeric ranges, octet-string sizes and the RowStatus marker. Checking a
// value gives the SNMP error status a real agent would answer with.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/simvalue.h"

class SimConstraint {
public:
    using Range = std::pair<int64_t, int64_t>;

    // One token: "enum=1,2,3", "range=0..255[,300..400]", "size=6" or
    // "size=0..32", "rowstatus". Several tokens may apply to one object.
    bool ParseToken(const std::string& token, std::string& error);

    // SNMP_ERR_NOERROR, SNMP_ERR_WRONGVALUE (outside the enumeration or a
    // range) or SNMP_ERR_WRONGLENGTH (octet-string size).
    int Check(SimType type, const SimValue& value) const;

    bool IsRowStatus() const { return rowStatus_; }
    bool Empty() const { return !rowStatus_ && enums_.empty() && ranges_.empty() && sizes_.empty(); }

    // The smallest value the constraint allows (for new rows).
    int64_t FirstAllowed() const;
    size_t SmallestSize() const;

    // The tokens again, blank-separated, for writing the data file back.
    std::string ToText() const;

private:
    static bool ParseRanges(const std::string& text, std::vector<Range>& out);
    static std::string RangesText(const std::vector<Range>& ranges);

    std::vector<Range> enums_; // single values, kept as ranges of one
    std::vector<Range> ranges_;
    std::vector<Range> sizes_;
    bool rowStatus_ = false;
};
