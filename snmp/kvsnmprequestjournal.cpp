// The journal's part of KvSNMPRequest: the values last read by OID, the
// record of each set with what it overwrites, the GET of the values never
// read, and the outcome after.
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"
#include "snmp/kvsnmprequestsupport.h"

#include <algorithm>
#include <cctype>

#include "common/kvmessages.h"
#include "common/kvoptionlist.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

using kvrequest::IsTable;
using kvrequest::Session;

namespace {

KvWriteJournal* installedJournal = nullptr;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A row status that creates (1) or destroys (-1) a row; 0 for any other value.
int RowStatusWrite(const KvSNMPVar& var)
{
    if (!var.options)
        return 0;
    const std::string text = Lower(var.value);
    if (text == "createandgo" || text == "createandwait")
        return 1;
    if (text == "destroy")
        return -1;
    return 0;
}

// Whether a set of `variables` can carry a value at all (a writable element
// that is not a table's key); the front panel's LEDs and the statistics
// pages cannot.
bool CanWrite(const KvSNMPVarList& variables)
{
    const bool table = IsTable(variables.kind);
    for (int32_t i = table ? variables.keyCount : 0; i < variables.Count(); ++i)
        if (variables.IsWritable(i))
            return true;
    return false;
}

} // namespace

KvWriteJournal* KvWriteJournal::Installed()
{
    return installedJournal;
}

void KvWriteJournal::Install(KvWriteJournal* journal)
{
    installedJournal = journal;
}

std::string KvWriteOutcomeText(const KvWriteOutcome& outcome)
{
    switch (outcome.kind) {
    case KvWriteOutcome::Kind::Ok:
        return "Ok";
    case KvWriteOutcome::Kind::NoAnswer:
        return "sent, no answer";
    case KvWriteOutcome::Kind::Failed:
        break;
    }
    return outcome.message;
}

void KvSNMPRequest::RememberRead(const SnmpPdu& response)
{
    // Kept only for a list that can write: polls of read-only lists (every
    // 3 s for the LEDs) keep nothing.
    if (!journal || !CanWrite(variables))
        return;
    // The bindings of a response follow the readable elements in order.
    size_t n = 0;
    for (int32_t i = 0; i < variables.Count() && n < response.vbs.size(); ++i) {
        if (!variables.IsReadable(i))
            continue;
        const SnmpVb& vb = response.vbs[n++];
        if (variables[i].value == kvrequest::kNotDone)
            continue; // a column that has ended: the OID is another object's
        ReadValue& read = lastRead_[vb.oid];
        read.absent = vb.IsException();
        read.shown = variables[i].value;
        read.wire = WireValueText(variables[i].syntax, vb);
    }
}

std::unique_ptr<KvSNMPRequest::JournalDraft> KvSNMPRequest::DraftRecord(const SnmpPdu& pdu,
                                                                        const std::vector<int32_t>& bindings)
{
    auto draft = std::make_unique<JournalDraft>();
    KvWriteRecord& record = draft->record;
    record.address = address;
    record.port = port;
    record.caption = journalCaption.empty() ? variables.name : journalCaption;
    record.caption.erase(0, record.caption.find_first_not_of(' '));
    record.undoes = journalUndoes;
    std::string rowInstance;
    int32_t statusElement = -1;
    record.variables.reserve(bindings.size());
    for (size_t n = 0; n < bindings.size() && n < pdu.vbs.size(); ++n) {
        const int32_t i = bindings[n];
        const KvSNMPVar& var = variables[i];
        KvWriteRecordVariable entry;
        entry.oid = pdu.vbs[n].oid;
        entry.label = var.label;
        entry.syntax = var.syntax;
        entry.written = var.value;
        entry.writtenWire = WireValueText(var.syntax, pdu.vbs[n]);
        if (const int status = RowStatusWrite(var); status != 0 && record.kind == KvWriteRecord::Kind::Set) {
            record.kind = status > 0 ? KvWriteRecord::Kind::CreateRow : KvWriteRecord::Kind::DestroyRow;
            entry.rowStatus = true;
            statusElement = i;
            const std::string base = BaseOid(i);
            if (entry.oid.size() > base.size() + 1)
                rowInstance = entry.oid.substr(base.size() + 1);
        }
        record.variables.push_back(std::move(entry));
    }
    // DestroyRow: for each column of record.row, the list's element (-1 for
    // a column the list lacks) and the value names of one it lacks.
    std::vector<int32_t> rowElements;
    std::vector<const KvOptionList*> rowOptions;
    if (record.kind == KvWriteRecord::Kind::DestroyRow) {
        // The whole row as it was: every readable column of the same row in
        // the list, then those of the table the list lacks.
        std::string statusOid;
        for (int32_t i = 0; i < variables.Count(); ++i) {
            if (!variables.IsReadable(i) && i != statusElement)
                continue;
            KvWriteRecordVariable column;
            const std::string base = BaseOid(i);
            if (IsTable(variables.kind))
                column.oid = rowInstance.empty() ? base : base + "." + rowInstance;
            else
                column.oid = variables.kind == kvListScalars ? base + ".0" : base;
            column.label = variables[i].label;
            column.syntax = variables[i].syntax;
            column.rowStatus = i == statusElement;
            column.writable = variables.IsWritable(i) && !(IsTable(variables.kind) && i < variables.keyCount);
            if (column.rowStatus)
                statusOid = column.oid;
            record.row.push_back(std::move(column));
            rowElements.push_back(i);
            rowOptions.push_back(nullptr);
        }
        const std::vector<KvWriteRowColumn> known =
            journal && !statusOid.empty() ? journal->RowColumns(statusOid) : std::vector<KvWriteRowColumn>{};
        for (const KvWriteRowColumn& c : known) {
            if (std::any_of(record.row.begin(), record.row.end(),
                            [&](const KvWriteRecordVariable& v) { return v.oid == c.oid; }))
                continue;
            KvWriteRecordVariable column;
            column.oid = c.oid;
            column.label = c.label;
            column.syntax = c.syntax;
            column.writable = c.writable;
            record.row.push_back(std::move(column));
            rowElements.push_back(-1);
            rowOptions.push_back(c.options);
        }
        // Whole when the program knows the table, or (a table it does not
        // know) the list itself holds more than the row status.
        record.rowWhole = !known.empty() || std::any_of(record.row.begin(), record.row.end(),
                                                        [](const KvWriteRecordVariable& v) { return !v.rowStatus; });
    }
    // "Before": what was last read for the same OID, else read now.
    auto fill = [&](std::vector<KvWriteRecordVariable>& list, bool row) {
        for (size_t n = 0; n < list.size(); ++n) {
            KvWriteRecordVariable& entry = list[n];
            auto read = lastRead_.find(entry.oid);
            if (read != lastRead_.end()) {
                entry.before = read->second.shown;
                entry.beforeWire = read->second.wire;
                entry.absent = read->second.absent;
                continue;
            }
            if (row)
                draft->missing.push_back({&entry, rowElements[n], rowOptions[n]});
            else
                draft->missing.push_back({&entry, bindings[n], nullptr});
        }
    };
    fill(record.variables, false);
    fill(record.row, true);
    return draft;
}

SnmpPdu KvSNMPRequest::BeforePdu(const JournalDraft& draft) const
{
    SnmpPdu get;
    get.securityLevel = securityLevel;
    get.contextName = contextName;
    get.contextEngineId = contextEngineId;
    for (const JournalDraft::Missing& missing : draft.missing) {
        SnmpVb vb;
        vb.oid = missing.variable->oid;
        get.vbs.push_back(std::move(vb));
    }
    return get;
}

bool KvSNMPRequest::TakeBefore(JournalDraft& draft, const SnmpPdu& response, int32_t code)
{
    if (code == kvErrNoSuchName && response.errorIndex >= 1 &&
        static_cast<size_t>(response.errorIndex) <= draft.missing.size()) {
        // An SNMPv1 agent refuses the whole GET for one instance it lacks.
        auto refused = draft.missing.begin() + (response.errorIndex - 1);
        refused->variable->absent = true;
        draft.missing.erase(refused);
        return false;
    }
    if (code != 0)
        throw KvError(code, KvErrorText(code));
    // The conversions of the element (value names, read expressions) give
    // the text the window would have shown.
    const KvSNMPVarList saved(variables);
    try {
        for (size_t n = 0; n < draft.missing.size() && n < response.vbs.size(); ++n) {
            const JournalDraft::Missing& missing = draft.missing[n];
            const SnmpVb& vb = response.vbs[n];
            KvWriteRecordVariable& entry = *missing.variable;
            entry.absent = vb.IsException();
            entry.beforeWire = WireValueText(entry.syntax, vb);
            if (entry.absent || missing.element < 0) {
                entry.before = !entry.absent && missing.options ? missing.options->ValueToLabel(entry.beforeWire)
                                                                : entry.beforeWire;
                continue;
            }
            VbToValue(missing.element, vb);
            ApplyExpression(missing.element, true);
            entry.before = variables[missing.element].value;
        }
    } catch (...) {
        variables = saved;
        throw;
    }
    variables = saved;
    draft.missing.clear();
    return true;
}

void KvSNMPRequest::ReadBefore(JournalDraft& draft, const SnmpTarget& target)
{
    while (!draft.missing.empty()) {
        SnmpPdu get = BeforePdu(draft);
        const int status = Session().Get(get, target);
        int32_t code = 0;
        std::string message;
        MapStatus(status, code, message);
        TakeBefore(draft, get, code);
    }
}

void KvSNMPRequest::RecordOutcome(KvWriteJournal* journal, const std::string& id, int32_t code,
                                  const std::string& message, const SnmpPdu* answer, bool answered)
{
    if (!journal || id.empty())
        return;
    KvWriteOutcome outcome;
    outcome.code = code;
    outcome.message = message;
    if (code != 0 && answer && answer->errorIndex >= 1 && static_cast<size_t>(answer->errorIndex) <= answer->vbs.size())
        outcome.variable = answer->vbs[static_cast<size_t>(answer->errorIndex - 1)].oid;
    if (!answered)
        outcome.kind = KvWriteOutcome::Kind::NoAnswer;
    else if (code != 0)
        outcome.kind = KvWriteOutcome::Kind::Failed;
    journal->AfterOutcome(id, outcome);
}

void KvSNMPRequest::SendJournaledSet(std::unique_ptr<JournalDraft> draft)
{
    const std::string id = journal->BeforeSend(draft->record);
    auto record = std::make_unique<Completion>(
        Completion{this, draft->callback, draft->context, draft->readBack, false, draft->bindings});
    record->journal = journal;
    record->journalId = id;
    const int status = Session().Set(draft->set, draft->target, &KvSNMPRequest::OnResponse, record.get());
    if (status != 0) {
        int32_t code = 0;
        std::string message;
        MapStatus(status, code, message);
        RecordOutcome(journal, id, code, message, nullptr, true);
        throw KvError(code, message);
    }
    outstanding_.insert(record.release());
    ++pending;
}
