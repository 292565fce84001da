#pragma once
// One SET request against the store: checks every variable binding the way
// a real agent does (types, access, constraints, row creation with and
// without RowStatus), then applies the whole request or nothing.

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "sim/simstore.h"

struct variable_list;

struct SimSetItem {
    SimOid oid;
    unsigned char asnType = 0;
    SimValue value; // decoded by asnType: integer, octets or objectId

    static SimSetItem FromVarbind(const variable_list* vb);
};

class SimTransaction {
public:
    struct Result {
        int status = 0;   // SNMP error status, 0 when the request can be applied
        size_t index = 0; // position of the failing binding (from 0)
    };

    // strictRowStatus: refuse createAndGo on an existing row
    // (inconsistentValue) instead of treating it as "make it active".
    SimTransaction(SimStore& store, bool strictRowStatus);

    Result Check(const std::vector<SimSetItem>& items);
    // Applies what check() accepted; remembers the old state for undo().
    void Commit();
    void Undo();

private:
    using RowKey = std::pair<SimOid, SimOid>; // table entry, index

    enum class RowAction { None, CreateAndGo, CreateAndWait, CreateByColumn, Destroy };

    struct Write {
        SimOid oid;
        SimValue value;
    };

    Result Fail(int status, size_t index) const { return Result{status, index}; }
    // Notes the rows the request creates with createAndGo or createAndWait.
    void PlanCreations(const std::vector<SimSetItem>& items);
    // One binding checked and taken into the plan; its SNMP error status.
    int CheckItem(const SimSetItem& item);
    // The binding names an instance that exists (a scalar or a cell of a row).
    int CheckExisting(const SimSetItem& item, const SimTable* table, oid column, const SimOid& index);
    // The binding names a cell of a row that does not exist yet.
    int CheckNew(const SimSetItem& item, const SimTable& table, oid column, const SimOid& index);
    void Snapshot(const SimOid& o);
    // The mirrors and row counts of the store, after the request's own changes.
    void ApplyRowRules();
    // False when the index lies outside the table's declared range (VLAN 0
    // or 4095), or a column that holds an arc of the index would not accept
    // that arc (a trunk group 8 where groups are numbered 1 to 7).
    static bool IndexAllowed(const SimTable& table, const SimOid& index);
    SimObject NewCell(const SimTable& table, oid column, const SimOid& index, bool& ok) const;

    SimStore& store_;
    bool strict_;
    std::map<RowKey, RowAction> rows_;
    std::vector<Write> writes_;
    std::vector<std::pair<SimOid, std::optional<SimObject>>> undo_;
};
