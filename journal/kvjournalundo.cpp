// Undo of a journal entry: the check against what the switch holds now, and
// the writes that put the entry's "before" values back.
#include "journal/kvjournalundo.h"

#include <map>
#include <optional>

#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"

namespace {

const char* const kNone = "(none)";

const KvOptionDef kRowStatusDefs[] = {
    {1, nullptr, "active"},        {2, nullptr, "notInService"}, {3, nullptr, "notReady"}, {4, nullptr, "createAndGo"},
    {5, nullptr, "createAndWait"}, {6, nullptr, "destroy"},      {0, nullptr, nullptr},
};
const KvOptionList kRowStatus(KvOptionList::kIntegerValues, kRowStatusDefs);

// A request over full OIDs whose texts are the journal's: a recorded text
// goes out as its recorded wire text, and a wire text read comes back as
// the recorded text it stands for. Row-status columns use the value names.
class UndoRequest : public KvSNMPRequest {
public:
    UndoRequest()
    {
        variables.kind = kvListRow;
        variables.keyCount = 0;
    }

    void Add(const KvWriteRecordVariable& recorded, uint32_t access, const std::string& value)
    {
        KvSNMPVar var;
        var.oid = recorded.oid;
        var.label = recorded.label;
        var.syntax = recorded.syntax;
        var.access = access;
        var.options = recorded.rowStatus ? &kRowStatus : nullptr;
        var.value = value;
        variables.Elements().push_back(std::move(var));
        std::map<std::string, std::string> toWire;
        std::map<std::string, std::string> toShown;
        if (!recorded.absent) {
            toWire[recorded.before] = recorded.beforeWire;
            toShown[recorded.beforeWire] = recorded.before;
        }
        if (!recorded.writtenWire.empty() || !recorded.written.empty()) {
            toWire[recorded.written] = recorded.writtenWire;
            toShown[recorded.writtenWire] = recorded.written;
        }
        toWire_.push_back(std::move(toWire));
        toShown_.push_back(std::move(toShown));
        absent.push_back(false);
        wire.push_back({});
    }

    void VbToValue(int32_t i, const SnmpVb& vb) override
    {
        const auto n = static_cast<size_t>(i);
        absent[n] = vb.IsException();
        wire[n] = WireValueText(variables[i].syntax, vb);
        KvSNMPRequest::VbToValue(i, vb);
        if (!variables[i].options) {
            auto shown = toShown_[n].find(wire[n]);
            variables[i].value = shown != toShown_[n].end() ? shown->second : wire[n];
        }
    }

    void ValueToVb(int32_t i, SnmpVb& vb) override
    {
        KvSNMPVar& var = variables[i];
        const auto& toWire = toWire_[static_cast<size_t>(i)];
        auto found = toWire.find(var.value);
        if (var.options || found == toWire.end()) {
            KvSNMPRequest::ValueToVb(i, vb);
            return;
        }
        const std::string shown = var.value;
        var.value = found->second;
        try {
            KvSNMPRequest::ValueToVb(i, vb);
        } catch (...) {
            var.value = shown;
            throw;
        }
        var.value = shown;
    }

    std::vector<bool> absent;
    std::vector<std::string> wire;

private:
    std::vector<std::map<std::string, std::string>> toWire_;
    std::vector<std::map<std::string, std::string>> toShown_;
};

struct Now {
    bool absent = false;
    std::string wire;
    std::string shown;
};

// What the switch holds now for each variable. An SNMPv1 agent refuses the
// whole GET for an instance it lacks: the variables are then read one by one.
std::vector<Now> ReadNow(const std::vector<KvWriteRecordVariable>& recorded)
{
    std::vector<Now> now(recorded.size());
    auto readSome = [&](const std::vector<size_t>& which) {
        UndoRequest request;
        request.journal = nullptr;
        for (size_t n : which)
            request.Add(recorded[n], accRead, {});
        request.Fetch(true);
        for (size_t k = 0; k < which.size(); ++k) {
            Now& item = now[which[k]];
            item.absent = request.absent[k];
            item.wire = request.wire[k];
            item.shown = item.absent ? kNone : request.variables[static_cast<int32_t>(k)].value;
        }
    };
    std::vector<size_t> all;
    for (size_t n = 0; n < recorded.size(); ++n)
        all.push_back(n);
    try {
        readSome(all);
    } catch (const KvError& e) {
        if (e.code() != kvErrNoSuchName)
            throw;
        for (size_t n : all) {
            try {
                readSome({n});
            } catch (const KvError& one) {
                if (one.code() != kvErrNoSuchName)
                    throw;
                now[n].absent = true;
                now[n].shown = kNone;
            }
        }
    }
    return now;
}

KvUndoStep::Variable StepVariable(const KvWriteRecordVariable& v, const std::string& value, const std::string& wire)
{
    return {v.oid, v.label, v.syntax, value, wire, v.rowStatus};
}

KvUndoPlan Refuse(KvUndoPlan plan, const std::string& why)
{
    plan.allowed = false;
    plan.refusal = why;
    plan.steps.clear();
    return plan;
}

KvUndoPlan PlanEntry(const KvJournalEntry& entry)
{
    KvUndoPlan plan;
    plan.entry = entry;
    const KvWriteRecord& write = entry.write;
    const std::string name = "entry " + entry.id;
    if (entry.outcome == KvJournalEntry::Outcome::Failed)
        return Refuse(plan, "The write of " + name + " failed (" + entry.result + "): there is nothing to undo.");
    if (entry.Undone())
        return Refuse(plan, "The write of " + name + " is already undone (by entry " + entry.undoneBy + ").");
    for (const auto* list : {&write.variables, &write.row})
        for (const KvWriteRecordVariable& v : *list)
            if (KvJournalIsSecret(v.oid))
                return Refuse(plan, "Cannot undo " + name + ": " + v.label +
                                        " holds a secret, whose values the journal does not keep.");
    if (write.address != KvSNMPDevice.address || write.port != KvSNMPDevice.port)
        return Refuse(plan, "The write of " + name + " went to " + write.address + ":" + std::to_string(write.port) +
                                ", not to the switch of this session.");
    if (write.kind == KvWriteRecord::Kind::Set) {
        std::string without;
        for (const KvWriteRecordVariable& v : write.variables)
            if (v.absent)
                without += (without.empty() ? "" : ", ") + v.label;
        if (!without.empty())
            return Refuse(plan, "Cannot undo " + name + ": " + without +
                                    " had no value before (the row did not exist); undo the entry that added the "
                                    "row instead.");
    }

    if (write.kind == KvWriteRecord::Kind::DestroyRow && !write.rowWhole) {
        std::string kept;
        for (const KvWriteRecordVariable& v : write.row.empty() ? write.variables : write.row)
            kept += (kept.empty() ? "" : ", ") + v.label;
        return Refuse(plan, "Cannot undo " + name + ": the journal did not record the whole row it deleted (only " +
                                kept + "), so the row cannot be added again as it was.");
    }

    std::vector<Now> now;
    try {
        now = ReadNow(write.variables);
    } catch (const KvError& e) {
        return Refuse(plan, "Cannot undo " + name + ": the switch's values could not be read (" + e.message() + ").");
    }
    std::string changed;
    bool unapplied = true; // every variable as it was before the write
    for (size_t n = 0; n < write.variables.size(); ++n) {
        const KvWriteRecordVariable& v = write.variables[n];
        KvUndoCheck check;
        check.oid = v.oid;
        check.label = v.label;
        check.before = v.absent ? kNone : v.before;
        const bool destroyed = write.kind == KvWriteRecord::Kind::DestroyRow;
        check.written = destroyed ? kNone : v.written;
        check.now = now[n].shown;
        if (destroyed)
            check.changed = !now[n].absent; // the row is there again
        else if (v.rowStatus)
            check.changed = now[n].absent; // the row is gone
        else
            check.changed = now[n].absent || now[n].wire != v.writtenWire;
        if (check.changed)
            changed += (changed.empty() ? "" : ", ") + v.label;
        if (write.kind == KvWriteRecord::Kind::CreateRow)
            unapplied = unapplied && now[n].absent;
        else if (destroyed)
            unapplied = unapplied && !now[n].absent;
        else
            unapplied = unapplied && !v.absent && !now[n].absent && now[n].wire == v.beforeWire;
        plan.checks.push_back(std::move(check));
    }
    // A write that was never answered and that the switch shows no trace
    // of: there is nothing to take back.
    if (!changed.empty() && unapplied && entry.outcome != KvJournalEntry::Outcome::Ok)
        return Refuse(plan, "Nothing to undo for " + name + " (" + entry.result +
                                "): the switch seems not to have applied it; it still holds the values from before.");
    if (!changed.empty())
        return Refuse(plan, "Cannot undo " + name +
                                ": the switch no longer holds what it wrote (changed since: " + changed + ").");

    KvUndoStep step;
    switch (write.kind) {
    case KvWriteRecord::Kind::Set:
        for (const KvWriteRecordVariable& v : write.variables)
            step.variables.push_back(StepVariable(v, v.before, v.beforeWire));
        break;
    case KvWriteRecord::Kind::CreateRow:
        for (const KvWriteRecordVariable& v : write.variables) {
            if (v.rowStatus)
                step.variables.push_back(StepVariable(v, "destroy", "6"));
            else
                step.row.push_back(StepVariable(v, v.written, v.writtenWire));
        }
        break;
    case KvWriteRecord::Kind::DestroyRow: {
        const std::vector<KvWriteRecordVariable>& row = write.row.empty() ? write.variables : write.row;
        for (const KvWriteRecordVariable& v : row) {
            if (v.rowStatus)
                step.variables.insert(step.variables.begin(), StepVariable(v, "createAndGo", "4"));
            else if (v.writable && !v.absent)
                step.variables.push_back(StepVariable(v, v.before, v.beforeWire));
        }
        break;
    }
    }
    if (step.variables.empty())
        return Refuse(plan, "Cannot undo " + name + ": it recorded nothing that can be written back.");
    plan.steps.push_back(std::move(step));
    plan.allowed = true;
    return plan;
}

std::vector<std::string> Arcs(const std::string& oid)
{
    std::vector<std::string> arcs;
    size_t from = 0;
    for (;;) {
        const size_t dot = oid.find('.', from);
        arcs.push_back(oid.substr(from, dot == std::string::npos ? std::string::npos : dot - from));
        if (dot == std::string::npos)
            return arcs;
        from = dot + 1;
    }
}

// Another column of the same table row: the same OID but for one arc (the
// column's number).
bool SameRow(const std::string& a, const std::string& b)
{
    const std::vector<std::string> x = Arcs(a);
    const std::vector<std::string> y = Arcs(b);
    if (x.size() != y.size() || a == b)
        return false;
    size_t differing = 0;
    for (size_t i = 0; i < x.size(); ++i)
        differing += x[i] != y[i] ? 1 : 0;
    return differing == 1;
}

// A row added in several writes (its creation, then its other columns):
// the columns the later entries wrote are read along when the undo
// destroys it, so that the destruction is recorded with the whole row.
void AddRowMates(const KvJournalLog& log, KvUndoPlan& plan)
{
    if (plan.entry.write.kind != KvWriteRecord::Kind::CreateRow || plan.steps.empty())
        return;
    KvUndoStep& step = plan.steps.front();
    std::string status;
    for (const KvUndoStep::Variable& v : step.variables)
        if (v.rowStatus)
            status = v.oid;
    auto known = [&](const std::string& oid) {
        for (const auto* list : {&step.variables, &step.row})
            for (const KvUndoStep::Variable& v : *list)
                if (v.oid == oid)
                    return true;
        return false;
    };
    for (const KvJournalEntry& entry : log.entries)
        for (const KvWriteRecordVariable& v : entry.write.variables)
            if (SameRow(status, v.oid) && !known(v.oid))
                step.row.push_back(StepVariable(v, v.written, v.writtenWire));
}

// The recorded variable behind a step's variable (for its texts).
KvWriteRecordVariable Recorded(const KvJournalEntry& entry, const KvUndoStep::Variable& v)
{
    for (const auto* list : {&entry.write.variables, &entry.write.row})
        for (const KvWriteRecordVariable& r : *list)
            if (r.oid == v.oid)
                return r;
    KvWriteRecordVariable r;
    r.oid = v.oid;
    r.label = v.label;
    r.syntax = v.syntax;
    r.rowStatus = v.rowStatus;
    r.written = v.value;
    r.writtenWire = v.wire;
    return r;
}

} // namespace

std::string KvUndoPlan::Describe() const
{
    std::string text;
    const std::string what = entry.write.caption + ", " + entry.KindText();
    if (!allowed) {
        text = refusal + "\n";
        for (const KvUndoCheck& check : checks)
            if (check.changed)
                text += "  " + check.label + ": before \"" + check.before + "\", written \"" + check.written +
                        "\", now \"" + check.now + "\"\n";
        return text;
    }
    text = "Undo of entry " + entry.id + " (" + what + ") writes:\n";
    for (const KvUndoStep& step : steps)
        for (const KvUndoStep::Variable& v : step.variables) {
            std::string now = kNone;
            for (const KvUndoCheck& check : checks)
                if (check.oid == v.oid)
                    now = check.now;
            text += "  " + v.label + ": \"" + now + "\" -> \"" + v.value + "\"\n";
        }
    return text;
}

KvUndoPlan KvJournalUndo::Plan(const KvJournalLog& log, const std::string& id)
{
    const KvJournalEntry* entry = log.Find(id);
    if (!entry) {
        KvUndoPlan plan;
        plan.entry.id = id;
        return Refuse(plan, "There is no entry " + id + " in this switch's change journal.");
    }
    KvUndoPlan plan = PlanEntry(*entry);
    AddRowMates(log, plan);
    return plan;
}

KvUndoResult KvJournalUndo::Apply(const KvUndoPlan& given)
{
    KvUndoResult result;
    if (!KvWriteJournal::Installed()) {
        result.message = "No change journal is open: an undo is only sent with a record.";
        return result;
    }
    if (!given.allowed) {
        result.message = given.refusal;
        return result;
    }
    // One undo of an entry at a time among all processes: the journal is
    // locked from the last check until the undo's writes are recorded, and
    // the entry is read again under the lock (another undo may have ended
    // since the plan was made).
    KvJournalEntry entry = given.entry;
    std::optional<KvJournal::Lock> lock;
    if (const auto* store = dynamic_cast<const KvJournal*>(KvWriteJournal::Installed())) {
        std::string error;
        lock.emplace(store->Exclusive(entry.write.address, entry.write.port, error));
        if (!lock->Held()) {
            result.message = "Cannot undo entry " + entry.id + ": the change journal cannot be locked (" + error + ").";
            return result;
        }
        const KvJournalLog log = store->Read(entry.write.address, entry.write.port);
        const KvJournalEntry* current = log.Find(entry.id);
        if (!log.error.empty() || !current) {
            result.message = "Cannot undo entry " + entry.id + ": " +
                             (log.error.empty() ? "it is no longer in the change journal." : log.error);
            return result;
        }
        entry = *current;
    }
    // The switch may have changed since the plan was shown; what is sent is
    // what the plan showed.
    const KvUndoPlan again = PlanEntry(entry);
    if (!again.allowed) {
        result.message = again.Describe();
        return result;
    }
    const KvUndoPlan& plan = given;
    for (const KvUndoStep& step : plan.steps) {
        UndoRequest request;
        request.variables.name = plan.entry.write.caption;
        request.journalCaption = plan.entry.write.caption;
        request.journalUndoes = plan.entry.id;
        for (const KvUndoStep::Variable& v : step.variables)
            request.Add(Recorded(plan.entry, v), accRW, v.value);
        for (const KvUndoStep::Variable& v : step.row)
            request.Add(Recorded(plan.entry, v), accRead, v.value);
        try {
            request.Store(false, KvWriteSet::All(request.variables));
        } catch (const KvError& e) {
            if (!request.journalId.empty())
                result.ids.push_back(request.journalId);
            result.message = "Undo of entry " + plan.entry.id + " failed: " + e.message();
            return result;
        }
        result.ids.push_back(request.journalId);
    }
    result.ok = true;
    result.message = "Entry " + plan.entry.id + " undone (entry " + result.ids.front() + ").";
    return result;
}
