#pragma once
// The simulated switch's objects, kept in SNMP order, and its tables.

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/simobject.h"
#include "sim/simtable.h"

class SimStore {
public:
    explicit SimStore(unsigned enterpriseNumber);

    unsigned EnterpriseNumber() const { return enterpriseNumber_; }

    // Adds a new object; fails (with a message) when the OID is already there.
    bool AddObject(const SimObject& object, std::string& error);
    // Inserts or replaces.
    void PutObject(const SimObject& object);
    void EraseObject(const SimOid& o);

    const SimObject* Find(const SimOid& o) const;
    SimObject* Find(const SimOid& o);
    // The first object after `o` in SNMP order, or nullptr.
    const SimObject* Next(const SimOid& o) const;
    bool HasObjectsUnder(const SimOid& prefix) const;

    bool AddTable(const SimTable& table, std::string& error);
    // The table whose entry is followed in `o` by a column arc and at least
    // one index arc; nullptr when none.
    const SimTable* TableFor(const SimOid& o) const;
    SimTable* TableEntry(const SimOid& entry);

    // The column numbers of a table: its templates and every column that has
    // rows.
    std::vector<oid> ColumnsOf(const SimTable& table) const;
    // The template of a column: the declared one, or else the first row's
    // object of that column. False when the column is unknown.
    bool ColumnTemplate(const SimTable& table, oid column, SimObject& out) const;
    // The RowStatus column of a table, or 0.
    oid StatusColumn(const SimTable& table) const;
    // The OIDs of the existing cells of one row.
    std::vector<SimOid> RowCells(const SimTable& table, const SimOid& index) const;

    const std::map<SimOid, SimObject>& Objects() const { return objects_; }
    const std::vector<SimTable>& Tables() const { return tables_; }
    const SimTable* Table(const SimOid& entry) const;

    // Rules that tie tables together (see SimMirror, SimRowCount). Both name
    // tables declared before them.
    bool AddMirror(const SimMirror& mirror, std::string& error);
    bool AddRowCount(const SimRowCount& count, std::string& error);
    const std::vector<SimMirror>& Mirrors() const { return mirrors_; }
    const std::vector<SimRowCount>& RowCounts() const { return rowCounts_; }

    // The switch's clock: hundredths of a second since the store was made
    // (sysUpTime, and the time a row is created at).
    std::chrono::steady_clock::time_point StartTime() const { return startTime_; }
    int64_t UptimeTicks() const;

    // Subtrees to register with the agent: the distinct first seven arcs
    // (or the whole OID when it is shorter) of every object and table.
    std::vector<SimOid> RegistrationRoots() const;

private:
    unsigned enterpriseNumber_;
    std::map<SimOid, SimObject> objects_;
    std::vector<SimTable> tables_;
    std::vector<SimMirror> mirrors_;
    std::vector<SimRowCount> rowCounts_;
    std::chrono::steady_clock::time_point startTime_ = std::chrono::steady_clock::now();
};
