#include "sim/simstore.h"

#include <algorithm>
#include <set>

SimStore::SimStore(unsigned enterpriseNumber) : enterpriseNumber_(enterpriseNumber) {}

bool SimStore::AddObject(const SimObject& object, std::string& error)
{
    if (objects_.count(object.oid)) {
        error = "object " + simoid::Format(object.oid) + " is listed twice";
        return false;
    }
    objects_.emplace(object.oid, object);
    return true;
}

void SimStore::PutObject(const SimObject& object)
{
    objects_[object.oid] = object;
}

void SimStore::EraseObject(const SimOid& o)
{
    objects_.erase(o);
}

const SimObject* SimStore::Find(const SimOid& o) const
{
    auto it = objects_.find(o);
    return it == objects_.end() ? nullptr : &it->second;
}

SimObject* SimStore::Find(const SimOid& o)
{
    auto it = objects_.find(o);
    return it == objects_.end() ? nullptr : &it->second;
}

const SimObject* SimStore::Next(const SimOid& o) const
{
    auto it = objects_.upper_bound(o);
    return it == objects_.end() ? nullptr : &it->second;
}

bool SimStore::HasObjectsUnder(const SimOid& prefix) const
{
    auto it = objects_.lower_bound(prefix);
    return it != objects_.end() && simoid::IsPrefix(prefix, it->first);
}

bool SimStore::AddTable(const SimTable& table, std::string& error)
{
    for (const SimTable& t : tables_) {
        if (t.entry == table.entry) {
            error = "table " + simoid::Format(table.entry) + " is declared twice";
            return false;
        }
        if (simoid::IsPrefix(t.entry, table.entry) || simoid::IsPrefix(table.entry, t.entry)) {
            error = "table " + simoid::Format(table.entry) + " overlaps table " + simoid::Format(t.entry);
            return false;
        }
    }
    tables_.push_back(table);
    return true;
}

const SimTable* SimStore::TableFor(const SimOid& o) const
{
    for (const SimTable& t : tables_)
        if (o.size() >= t.entry.size() + 2 && simoid::IsPrefix(t.entry, o))
            return &t;
    return nullptr;
}

const SimTable* SimStore::Table(const SimOid& entry) const
{
    for (const SimTable& t : tables_)
        if (t.entry == entry)
            return &t;
    return nullptr;
}

bool SimStore::AddMirror(const SimMirror& mirror, std::string& error)
{
    if (!Table(mirror.source) || !Table(mirror.target)) {
        error = "mirror names a table that is not declared above";
        return false;
    }
    if (mirror.source == mirror.target) {
        error = "a table cannot mirror itself";
        return false;
    }
    mirrors_.push_back(mirror);
    return true;
}

bool SimStore::AddRowCount(const SimRowCount& count, std::string& error)
{
    if (!Table(count.table)) {
        error = "count names a table that is not declared above";
        return false;
    }
    rowCounts_.push_back(count);
    return true;
}

int64_t SimStore::UptimeTicks() const
{
    const auto elapsed = std::chrono::steady_clock::now() - startTime_;
    return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10 %
                                0x100000000ll);
}

SimTable* SimStore::TableEntry(const SimOid& entry)
{
    for (SimTable& t : tables_)
        if (t.entry == entry)
            return &t;
    return nullptr;
}

std::vector<oid> SimStore::ColumnsOf(const SimTable& table) const
{
    std::set<oid> cols;
    for (const auto& c : table.columns)
        cols.insert(c.first);
    // Skip from column to column instead of visiting every row.
    SimOid probe = table.entry;
    probe.push_back(0);
    auto it = objects_.lower_bound(probe);
    while (it != objects_.end() && simoid::IsPrefix(table.entry, it->first)) {
        if (it->first.size() <= table.entry.size())
            break;
        const oid col = it->first[table.entry.size()];
        cols.insert(col);
        SimOid after = table.entry;
        after.push_back(col + 1);
        it = objects_.lower_bound(after);
    }
    return {cols.begin(), cols.end()};
}

bool SimStore::ColumnTemplate(const SimTable& table, oid column, SimObject& out) const
{
    auto c = table.columns.find(column);
    if (c != table.columns.end()) {
        out = c->second;
        return true;
    }
    SimOid colOid = table.entry;
    colOid.push_back(column);
    auto it = objects_.upper_bound(colOid);
    if (it == objects_.end() || !simoid::IsPrefix(colOid, it->first))
        return false;
    out = it->second;
    out.oid = colOid;
    return true;
}

oid SimStore::StatusColumn(const SimTable& table) const
{
    for (oid col : ColumnsOf(table)) {
        SimObject t;
        if (ColumnTemplate(table, col, t) && t.constraint.IsRowStatus())
            return col;
    }
    return 0;
}

std::vector<SimOid> SimStore::RowCells(const SimTable& table, const SimOid& index) const
{
    std::vector<SimOid> cells;
    for (oid col : ColumnsOf(table)) {
        SimOid cell = table.entry;
        cell.push_back(col);
        cell.insert(cell.end(), index.begin(), index.end());
        if (objects_.count(cell))
            cells.push_back(cell);
    }
    return cells;
}

std::vector<SimOid> SimStore::RegistrationRoots() const
{
    std::set<SimOid> roots;
    auto addRoot = [&roots](const SimOid& o) {
        SimOid r(o.begin(), o.begin() + static_cast<long>(std::min<size_t>(o.size(), 7)));
        roots.insert(r);
    };
    for (const auto& o : objects_)
        addRoot(o.first);
    for (const SimTable& t : tables_)
        addRoot(t.entry);
    // A shorter root covers the longer ones below it.
    std::vector<SimOid> out;
    for (const SimOid& r : roots) {
        if (!out.empty() && simoid::IsPrefix(out.back(), r))
            continue;
        out.push_back(r);
    }
    return out;
}
