#pragma once
#include <string>
#include <vector>

#include "config/kvconfigcatalogue.h"
#include "config/kvconfigmodel.h"
#include "config/kvconfigwrite.h"

// What a restore writes to bring the switch (`live`, read just before) to a
// snapshot (`wanted`): only what differs, one request per row (or per page of
// scalars), in this order:
//   1. rows to create, with their RowStatus set to createAndGo and every
//      setting in the same request, tables that others refer to (VLANs)
//      first;
//   2. changed settings of existing rows and pages;
//   3. with removeRows, rows the snapshot does not have, destroyed through
//      their RowStatus, tables that others refer to last;
//   4. the settings that change how the switch is reached (address, mask,
//      gateway, management VLAN, address source), in one request, marked.
// What cannot be written (a row of a table without row creation, a page the
// switch lacks) is named in the notes.
class KvConfigPlan {
public:
    KvConfigPlan(const KvConfigCatalogue& catalogue, const KvConfigSnapshot& wanted, const KvConfigSnapshot& live,
                 bool removeRows);

    const std::vector<KvConfigWrite>& Writes() const { return writes_; }
    const std::vector<std::string>& Notes() const { return notes_; }

    // The snapshot's pages and settings checked against the catalogue before
    // anything is read or written: false with the reason when the file holds
    // a page or a variable this program does not know as a setting, a
    // syntax other than the column's, or a value the setting cannot take
    // (KvConfigValue), named with the value and why.
    static bool Check(const KvConfigCatalogue& catalogue, const KvConfigSnapshot& wanted, std::string& error);

    // The request, as the plan prints it: "3. set "Title", row 5" and one
    // line per variable ("   OID  Label = value (now value)").
    static std::string Describe(const KvConfigWrite& write, size_t number);

private:
    struct Ordered {
        int phase;
        int rank;
        size_t sequence;
        KvConfigWrite write;
    };
    void Add(int phase, int rank, KvConfigWrite write);

    std::vector<Ordered> ordered_;
    std::vector<KvConfigWrite> writes_;
    std::vector<std::string> notes_;
};
