#pragma once
// Reads a data file line by line into a store (the line forms: sim/README.md).

#include <string>
#include <vector>

#include "sim/simdatafile.h"
#include "sim/simdatatoken.h"
#include "sim/simstore.h"

class SimDataParser {
public:
    // `name` stands for the file in messages ("osprey.sim:12: ...").
    SimDataParser(const std::string& name, SimStore& store, const SimDataFile::Limits& limits);

    // One line, numbered from 1; false with the message of a bad line.
    bool Line(const std::string& text, int number, std::string& error);

private:
    bool Fail(int number, const std::string& why, std::string& error);

    bool Table(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    bool Column(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    // "1.2.3" (or an empty text) as arcs; false when an arc is not a number.
    static bool Arcs(const std::string& text, SimOid& out);

    bool Entry(const SimDataToken& token, int number, SimOid& out, std::string& error);

    bool Mirror(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    bool Count(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    // The OIDs an OID pattern with "[...]" lists stands for, each with the
    // values of its lists. With `newObjects` they count against the file's
    // limit, which is checked before anything is expanded.
    bool ExpandOids(const std::string& text, int number, bool newObjects,
                    std::vector<std::pair<SimOid, std::vector<oid>>>& out, std::string& error);

    bool Object(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    // moving OID RATE: the counters named (declared above) grow by RATE per
    // second; RATE may use $i and $j like a value.
    bool Moving(const std::vector<SimDataToken>& tokens, int number, std::string& error);

    // TYPE ACCESS VALUE [CONSTRAINT...] starting at tokens[first].
    bool Attributes(const std::vector<SimDataToken>& tokens, size_t first, int number, bool isColumn,
                    const std::vector<oid>& arcs, SimObject& o, std::string& error);

    bool Special(const std::string& value, int number, bool isColumn, SimObject& o, std::string& error);

    std::string name_;
    SimStore& store_;
    SimDataFile::Limits limits_;
    size_t objects_ = 0; // objects of the lines so far, ranges expanded
};
