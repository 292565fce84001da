#include "sim/simtransaction.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>

namespace {

constexpr int64_t rsActive = 1;
constexpr int64_t rsNotInService = 2;
constexpr int64_t rsNotReady = 3;
constexpr int64_t rsCreateAndGo = 4;
constexpr int64_t rsCreateAndWait = 5;
constexpr int64_t rsDestroy = 6;

// The column and the row index of a cell of `table` (TableFor's answer for
// `cell`, which therefore holds both).
oid ColumnOf(const SimTable& table, const SimOid& cell)
{
    return cell[table.entry.size()];
}

SimOid IndexOf(const SimTable& table, const SimOid& cell)
{
    return SimOid(cell.begin() + static_cast<long>(table.entry.size()) + 1, cell.end());
}

bool IsNumeric(unsigned char asn)
{
    return asn == ASN_INTEGER || asn == ASN_COUNTER || asn == ASN_GAUGE || asn == ASN_TIMETICKS || asn == ASN_COUNTER64;
}

// The value a new row's cell starts with when no column line gives one.
void NeutralDefault(SimObject& o)
{
    o.value = SimValue();
    switch (o.type) {
    case SimType::String:
    case SimType::Hex:
        o.value.octets.assign(o.constraint.SmallestSize(), '\0');
        break;
    case SimType::IpAddress:
        o.value.octets.assign(4, '\0');
        break;
    case SimType::ObjectId:
        o.value.objectId = {0, 0};
        break;
    default:
        o.value.integer = o.constraint.FirstAllowed();
        break;
    }
}

} // namespace

SimSetItem SimSetItem::FromVarbind(const variable_list* vb)
{
    SimSetItem item;
    item.oid.assign(vb->name, vb->name + vb->name_length);
    item.asnType = vb->type;
    switch (vb->type) {
    case ASN_INTEGER:
        if (vb->val.integer)
            item.value.integer = static_cast<int32_t>(*vb->val.integer);
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        if (vb->val.integer)
            item.value.integer = static_cast<uint32_t>(*vb->val.integer);
        break;
    case ASN_COUNTER64:
        if (vb->val.counter64)
            item.value.integer = static_cast<int64_t>((static_cast<uint64_t>(vb->val.counter64->high) << 32) |
                                                      (vb->val.counter64->low & 0xFFFFFFFFul));
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
        if (vb->val.string && vb->val_len)
            item.value.octets.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        break;
    case ASN_OBJECT_ID:
        if (vb->val.objid)
            item.value.objectId.assign(vb->val.objid, vb->val.objid + vb->val_len / sizeof(oid));
        break;
    default:
        break;
    }
    return item;
}

SimTransaction::SimTransaction(SimStore& store, bool strictRowStatus) : store_(store), strict_(strictRowStatus) {}

SimTransaction::Result SimTransaction::Check(const std::vector<SimSetItem>& items)
{
    rows_.clear();
    writes_.clear();
    PlanCreations(items);
    for (size_t i = 0; i < items.size(); ++i) {
        const int status = CheckItem(items[i]);
        if (status != SNMP_ERR_NOERROR)
            return Fail(status, i);
    }
    return Result{};
}

void SimTransaction::PlanCreations(const std::vector<SimSetItem>& items)
{
    // Row creations named anywhere in the request come first, so that the
    // other columns of a new row may stand before its status.
    for (const SimSetItem& item : items) {
        const SimTable* table = store_.TableFor(item.oid);
        if (!table || item.asnType != ASN_INTEGER)
            continue;
        const oid col = ColumnOf(*table, item.oid);
        if (col != store_.StatusColumn(*table))
            continue;
        const SimOid index = IndexOf(*table, item.oid);
        if (item.value.integer == rsCreateAndGo || item.value.integer == rsCreateAndWait) {
            if (store_.RowCells(*table, index).empty())
                rows_[{table->entry, index}] =
                    item.value.integer == rsCreateAndGo ? RowAction::CreateAndGo : RowAction::CreateAndWait;
        }
    }
}

int SimTransaction::CheckItem(const SimSetItem& item)
{
    const SimTable* table = store_.TableFor(item.oid);
    oid col = 0;
    SimOid index;
    if (table) {
        col = ColumnOf(*table, item.oid);
        index = IndexOf(*table, item.oid);
    }

    const SimObject* obj = store_.Find(item.oid);
    SimObject templ;
    if (obj) {
        templ = *obj;
    } else {
        if (!table || !store_.ColumnTemplate(*table, col, templ))
            return SNMP_ERR_NOCREATION;
    }
    if (!templ.Writable())
        return SNMP_ERR_NOTWRITABLE;
    if (item.asnType != SimValue::AsnType(templ.type))
        return SNMP_ERR_WRONGTYPE;
    const int c = templ.constraint.Check(templ.type, item.value);
    if (c != SNMP_ERR_NOERROR)
        return c;

    // A column that holds an arc of the row's index must agree with it.
    SimObject declared;
    if (table && store_.ColumnTemplate(*table, col, declared) && declared.special == SimSpecial::Index &&
        IsNumeric(item.asnType)) {
        if (declared.indexArc > index.size() ||
            static_cast<int64_t>(index[declared.indexArc - 1]) != item.value.integer)
            return SNMP_ERR_INCONSISTENTVALUE;
    }
    return obj ? CheckExisting(item, table, col, index) : CheckNew(item, *table, col, index);
}

int SimTransaction::CheckExisting(const SimSetItem& item, const SimTable* table, oid col, const SimOid& index)
{
    SimValue value = item.value;
    const oid statusCol = table ? store_.StatusColumn(*table) : 0;
    if (table && col == statusCol && statusCol != 0) {
        const int64_t v = item.value.integer;
        if (v == rsNotReady)
            return SNMP_ERR_WRONGVALUE;
        if (v == rsCreateAndWait || (v == rsCreateAndGo && strict_))
            return SNMP_ERR_INCONSISTENTVALUE;
        if (v == rsCreateAndGo)
            value.integer = rsActive; // the row exists: keep it active
        if (v == rsDestroy) {
            rows_[{table->entry, index}] = RowAction::Destroy;
            return SNMP_ERR_NOERROR;
        }
    }
    if (table && table->deleteColumn == col && table->deleteColumn != 0 && item.value.integer == table->deleteValue) {
        rows_[{table->entry, index}] = RowAction::Destroy;
        return SNMP_ERR_NOERROR;
    }
    writes_.push_back({item.oid, value});
    return SNMP_ERR_NOERROR;
}

int SimTransaction::CheckNew(const SimSetItem& item, const SimTable& table, oid col, const SimOid& index)
{
    // The instance does not exist: it may be a cell of a new row.
    if (!store_.RowCells(table, index).empty())
        return SNMP_ERR_NOCREATION; // the row exists without this column
    if (!IndexAllowed(table, index))
        return SNMP_ERR_NOCREATION; // a row that can never exist (VLAN 0, trunk group 8)
    const oid statusCol = store_.StatusColumn(table);
    if (statusCol != 0) {
        if (col == statusCol) {
            const int64_t v = item.value.integer;
            if (v == rsNotReady)
                return SNMP_ERR_WRONGVALUE;
            if (v == rsActive || v == rsNotInService)
                return SNMP_ERR_INCONSISTENTVALUE;
            return SNMP_ERR_NOERROR; // createAndGo/createAndWait planned above; destroy of nothing does nothing
        }
        auto plan = rows_.find({table.entry, index});
        if (plan == rows_.end() || (plan->second != RowAction::CreateAndGo && plan->second != RowAction::CreateAndWait))
            return SNMP_ERR_NOCREATION;
        writes_.push_back({item.oid, item.value});
        return SNMP_ERR_NOERROR;
    }
    if (!table.createOnAnyColumn)
        return SNMP_ERR_NOCREATION;
    if (table.deleteColumn == col && item.value.integer == table.deleteValue)
        return SNMP_ERR_NOERROR; // removing a row that is not there
    auto& action = rows_[{table.entry, index}];
    if (action == RowAction::None)
        action = RowAction::CreateByColumn;
    writes_.push_back({item.oid, item.value});
    return SNMP_ERR_NOERROR;
}

bool SimTransaction::IndexAllowed(const SimTable& table, const SimOid& index)
{
    // The table's declared range for its first index arc (index=LOW..HIGH).
    if (!table.index.Empty()) {
        if (index.empty())
            return false;
        SimValue first;
        first.integer = static_cast<int64_t>(index[0]);
        if (table.index.Check(SimType::Integer, first) != SNMP_ERR_NOERROR)
            return false;
    }
    // Every column that holds an arc of the index accepts that arc.
    for (const auto& column : table.columns) {
        const SimObject& cell = column.second;
        if (cell.special != SimSpecial::Index)
            continue;
        if (cell.indexArc > index.size())
            return false;
        SimValue arc;
        arc.integer = static_cast<int64_t>(index[cell.indexArc - 1]);
        if (cell.constraint.Check(cell.type, arc) != SNMP_ERR_NOERROR)
            return false;
    }
    return true;
}

SimObject SimTransaction::NewCell(const SimTable& table, oid column, const SimOid& index, bool& ok) const
{
    SimObject cell;
    ok = store_.ColumnTemplate(table, column, cell);
    if (!ok)
        return cell;
    if (!table.columns.count(column) && cell.special == SimSpecial::None)
        NeutralDefault(cell);
    cell.oid = table.entry;
    cell.oid.push_back(column);
    cell.oid.insert(cell.oid.end(), index.begin(), index.end());
    if (cell.special == SimSpecial::Index) {
        cell.value = SimValue();
        if (cell.indexArc <= index.size())
            cell.value.integer = static_cast<int64_t>(index[cell.indexArc - 1]);
        cell.special = SimSpecial::None;
    }
    if (cell.special == SimSpecial::Uptime) {
        // A column whose default is the clock holds the time the row was made.
        cell.value = SimValue();
        cell.value.integer = store_.UptimeTicks();
        cell.special = SimSpecial::None;
    }
    return cell;
}

void SimTransaction::Snapshot(const SimOid& o)
{
    for (const auto& u : undo_)
        if (u.first == o)
            return;
    const SimObject* old = store_.Find(o);
    undo_.emplace_back(o, old ? std::optional<SimObject>(*old) : std::nullopt);
}

void SimTransaction::Commit()
{
    undo_.clear();
    // Remember every cell the request may touch.
    for (const auto& row : rows_) {
        const SimTable* table = nullptr;
        for (const SimTable& t : store_.Tables())
            if (t.entry == row.first.first)
                table = &t;
        if (!table)
            continue;
        for (oid col : store_.ColumnsOf(*table)) {
            SimOid cell = table->entry;
            cell.push_back(col);
            cell.insert(cell.end(), row.first.second.begin(), row.first.second.end());
            Snapshot(cell);
        }
    }
    for (const Write& w : writes_)
        Snapshot(w.oid);

    // New rows get every column, with the defaults of their templates.
    for (const auto& row : rows_) {
        if (row.second != RowAction::CreateAndGo && row.second != RowAction::CreateAndWait &&
            row.second != RowAction::CreateByColumn)
            continue;
        const SimTable* table = store_.TableFor([&] {
            SimOid probe = row.first.first;
            probe.push_back(1);
            probe.insert(probe.end(), row.first.second.begin(), row.first.second.end());
            return probe;
        }());
        if (!table)
            continue;
        const oid statusCol = store_.StatusColumn(*table);
        for (oid col : store_.ColumnsOf(*table)) {
            bool ok = false;
            SimObject cell = NewCell(*table, col, row.first.second, ok);
            if (!ok)
                continue;
            if (col == statusCol && statusCol != 0)
                cell.value.integer = row.second == RowAction::CreateAndGo ? rsActive : rsNotInService;
            store_.PutObject(cell);
        }
    }

    for (const Write& w : writes_) {
        SimObject* obj = store_.Find(w.oid);
        if (!obj) {
            // A column of a new row that the row's other cells did not bring.
            const SimTable* table = store_.TableFor(w.oid);
            if (!table)
                continue;
            bool ok = false;
            SimObject cell = NewCell(*table, ColumnOf(*table, w.oid), IndexOf(*table, w.oid), ok);
            if (!ok)
                continue;
            store_.PutObject(cell);
            obj = store_.Find(w.oid);
        }
        const SimTable* table = store_.TableFor(w.oid);
        if (table && ColumnOf(*table, w.oid) == store_.StatusColumn(*table)) {
            auto plan = rows_.find({table->entry, IndexOf(*table, w.oid)});
            if (plan != rows_.end() && plan->second != RowAction::None && plan->second != RowAction::Destroy)
                continue; // the new row's status was set above
        }
        obj->value = w.value;
        obj->special = SimSpecial::None;
    }

    for (const auto& row : rows_) {
        if (row.second != RowAction::Destroy)
            continue;
        for (const SimTable& t : store_.Tables()) {
            if (t.entry != row.first.first)
                continue;
            for (const SimOid& cell : store_.RowCells(t, row.first.second))
                store_.EraseObject(cell);
        }
    }

    ApplyRowRules();
}

void SimTransaction::ApplyRowRules()
{
    // Rows this request created or removed, and rows it wrote to.
    std::vector<RowKey> created, destroyed, written;
    for (const auto& row : rows_) {
        if (row.second == RowAction::Destroy)
            destroyed.push_back(row.first);
        else if (row.second != RowAction::None)
            created.push_back(row.first);
    }
    for (const Write& w : writes_) {
        const SimTable* table = store_.TableFor(w.oid);
        if (table)
            written.emplace_back(table->entry, IndexOf(*table, w.oid));
    }

    for (const SimMirror& m : store_.Mirrors()) {
        const SimTable* source = store_.Table(m.source);
        const SimTable* target = store_.Table(m.target);
        if (!source || !target)
            continue;
        auto targetIndex = [&m](const SimOid& index) {
            SimOid t = m.prefix;
            t.insert(t.end(), index.begin(), index.end());
            return t;
        };
        for (const RowKey& row : destroyed) {
            if (row.first != m.source)
                continue;
            for (const SimOid& cell : store_.RowCells(*target, targetIndex(row.second))) {
                Snapshot(cell);
                store_.EraseObject(cell);
            }
        }
        std::vector<RowKey> touched = created;
        touched.insert(touched.end(), written.begin(), written.end());
        for (const RowKey& row : touched) {
            if (row.first != m.source || store_.RowCells(*source, row.second).empty())
                continue;
            const SimOid index = targetIndex(row.second);
            if (store_.RowCells(*target, index).empty()) {
                for (oid col : store_.ColumnsOf(*target)) {
                    bool ok = false;
                    SimObject cell = NewCell(*target, col, index, ok);
                    if (!ok)
                        continue;
                    Snapshot(cell.oid);
                    store_.PutObject(cell);
                }
            }
            for (const auto& copy : m.copies) {
                SimOid from = m.source, to = m.target;
                from.push_back(copy.first);
                from.insert(from.end(), row.second.begin(), row.second.end());
                to.push_back(copy.second);
                to.insert(to.end(), index.begin(), index.end());
                const SimObject* value = store_.Find(from);
                SimObject* cell = store_.Find(to);
                if (!value || !cell)
                    continue;
                Snapshot(to);
                cell->value = value->value;
                cell->special = SimSpecial::None;
            }
        }
    }

    for (const SimRowCount& c : store_.RowCounts()) {
        int64_t delta = 0;
        for (const RowKey& row : created)
            if (row.first == c.table && c.event != SimRowCount::Event::Deleted)
                ++delta;
        for (const RowKey& row : destroyed)
            if (row.first == c.table && c.event != SimRowCount::Event::Created)
                delta += c.event == SimRowCount::Event::Rows ? -1 : 1;
        SimObject* counter = store_.Find(c.counter);
        if (delta == 0 || !counter)
            continue;
        Snapshot(c.counter);
        counter->value.integer = std::max<int64_t>(0, counter->value.integer + delta);
        counter->special = SimSpecial::None;
    }
}

void SimTransaction::Undo()
{
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) {
        if (it->second)
            store_.PutObject(*it->second);
        else
            store_.EraseObject(it->first);
    }
    undo_.clear();
}
