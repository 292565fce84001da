// The asynchronous operations of KvSNMPRequest: sending, and the completions
// that come back through the engine to the owner's callback.
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestcompletion.h"
#include "snmp/kvsnmprequestsupport.h"

#include <memory>

#include "common/kvmessages.h"
#include "snmp/snmpengine.h"
#include "snmp/snmpstatus.h"

using kvrequest::ElementOfBinding;
using kvrequest::IsTable;
using kvrequest::RaiseStatus;
using kvrequest::Session;

void KvSNMPRequest::SendAsync(PduType type, CompletionCallback callback, void* context, bool readValues,
                              const KvWriteSet* write)
{
    SnmpTarget target = BuildTarget();
    SnmpPdu pdu = BuildPdu(type, write);
    auto record = std::make_unique<Completion>(
        Completion{this, callback, context, readValues, type != PduType::Set, pduVariables_});
    SnmpEngine& engine = Session();
    int status;
    if (type == PduType::Set)
        status = engine.Set(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    else if (IsTable(variables.kind))
        status = engine.GetNext(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    else
        status = engine.Get(pdu, target, &KvSNMPRequest::OnResponse, record.get());
    if (status != 0)
        RaiseStatus(status);
    outstanding_.insert(record.release());
    ++pending;
}

void KvSNMPRequest::FetchAsync(CompletionCallback callback, void* context, bool firstRow)
{
    if (!active)
        return;
    if (!IsTable(variables.kind)) {
        SendAsync(PduType::Get, callback, context, true);
        return;
    }
    if (firstRow) {
        StartWalk();
    } else if (cursor_.HasRows()) {
        // The next row of the last GETBULK follows as a completion of its own.
        auto record = std::make_unique<Completion>(Completion{this, callback, context, true, true});
        record->generation = cursor_.Generation();
        record->buffered = true;
        Session().Post(&KvSNMPRequest::OnResponse, record.get(), cursor_.NextRow(), walkTarget_);
        outstanding_.insert(record.release());
        ++pending;
        return;
    } else if (ahead_) {
        // The GETBULK sent ahead brings the next rows.
        ahead_->callback = callback;
        ahead_->context = context;
        return;
    }
    SendWalkStep(callback, context, firstRow);
}


void KvSNMPRequest::SendJournaled(SnmpPdu pdu, SnmpTarget target, CompletionCallback callback, void* context,
                                  bool readBack)
{
    // The values of the set are those of the list now; the set expressions
    // have been applied to them (StoreAsync puts the list back after).
    std::unique_ptr<JournalDraft> draft = DraftRecord(pdu, pduVariables_);
    draft->set = std::move(pdu);
    draft->target = std::move(target);
    draft->bindings = pduVariables_;
    draft->callback = callback;
    draft->context = context;
    draft->readBack = readBack;
    if (draft->missing.empty()) {
        SendJournaledSet(std::move(draft));
        return;
    }
    SendBeforeGet(std::move(draft));
}

void KvSNMPRequest::SendBeforeGet(std::unique_ptr<JournalDraft> draft)
{
    // The values never read go first, in a GET of their own; the set follows
    // from its completion.
    SnmpPdu get = BeforePdu(*draft);
    auto record = std::make_unique<Completion>(Completion{this, draft->callback, draft->context, false, false});
    const SnmpTarget target = draft->target;
    record->draft = std::move(draft);
    const int status = Session().Get(get, target, &KvSNMPRequest::OnResponse, record.get());
    if (status != 0)
        RaiseStatus(status);
    outstanding_.insert(record.release());
    ++pending;
}

void KvSNMPRequest::BeforeGetCompleted(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record)
{
    KvSNMPError error;
    const int status = reason == snmpReasonTimeout ? snmpClassTimeout : response.errorStatus;
    MapStatus(status, error.code, error.message);
    error.agentAddress = target.address;
    error.agentPort = target.port;
    error.finished = true;
    std::unique_ptr<JournalDraft> draft = std::move(record.draft);
    try {
        if (!TakeBefore(*draft, response, error.code)) {
            // Asked again without the instance an SNMPv1 agent lacks.
            if (draft->missing.empty())
                SendJournaledSet(std::move(draft));
            else
                SendBeforeGet(std::move(draft));
            return;
        }
        SendJournaledSet(std::move(draft));
        return;
    } catch (const KvError& e) {
        // Not read, or not kept: the set is not sent.
        error.code = e.code();
        error.message = e.message();
    } catch (const std::exception&) {
        MapStatus(kvErrUnknownCode, error.code, error.message);
    }
    if (destroying_ || !record.callback)
        return;
    record.callback(record.context, error, variables);
}

void KvSNMPRequest::StoreAsync(CompletionCallback callback, void* context, bool readBack, const KvWriteSet& write)
{
    if (!active)
        return;
    const KvSNMPVarList saved(variables);
    try {
        for (int32_t i = 0; i < variables.Count(); ++i)
            ApplyExpression(i, false);
        if (journal) {
            SnmpTarget target = BuildTarget();
            SnmpPdu pdu = BuildPdu(PduType::Set, &write);
            // The record names the values as the window shows them, before
            // the set expressions.
            variables = saved;
            SendJournaled(std::move(pdu), std::move(target), callback, context, readBack);
            return;
        }
        SendAsync(PduType::Set, callback, context, readBack, &write);
    } catch (...) {
        variables = saved;
        throw;
    }
    variables = saved;
}

void KvSNMPRequest::OnResponse(int reason, SnmpEngine&, SnmpPdu& response, const SnmpTarget& target, void* data)
{
    std::unique_ptr<Completion> record(static_cast<Completion*>(data));
    if (record->journal) {
        // The outcome is kept even when nobody waits for it any more.
        int32_t code = 0;
        std::string message;
        const bool answered = reason == snmpReasonResponse;
        MapStatus(answered ? response.errorStatus : snmpClassTimeout, code, message);
        RecordOutcome(record->journal, record->journalId, code, message, answered ? &response : nullptr, answered);
    }
    if (!record->request)
        return; // the request was destroyed while this was outstanding
    record->request->Complete(reason, response, target, *record);
}

void KvSNMPRequest::Complete(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record)
{
    outstanding_.erase(&record);
    if (reason == snmpReasonSessionClosed) {
        if (&record == ahead_)
            ahead_ = nullptr;
        --pending;
        return;
    }
    if ((record.bulk || record.buffered) && TakeBulkCompletion(reason, response, target, record))
        return;
    if (record.draft) {
        --pending;
        BeforeGetCompleted(reason, response, target, record);
        return;
    }
    if (record.walkStep && !record.bulk && !record.buffered && reason == snmpReasonResponse && IsTable(variables.kind))
        cursor_.TakeGetNext(response.vbs);

    KvSNMPError error;
    const int status = reason == snmpReasonTimeout ? snmpClassTimeout : response.errorStatus;
    MapStatus(status, error.code, error.message);
    error.errorIndex = response.errorIndex;
    if (error.code != 0)
        error.errorVariable = ElementOfBinding(record.bindingVariables, response.errorIndex);
    error.agentAddress = target.address;
    error.agentPort = target.port;

    const bool table = IsTable(variables.kind);
    if ((error.code == 0 && record.readValues) || (error.code == kvErrNoSuchName && table)) {
        error.finished = false;
        try {
            switch (ReadResponse(response, error.code, record.walkStep)) {
            case Reading::WalkEnded:
                error.code = 0;
                error.message = KvMessageText(KvMessageSetId::KvSnmp, 0);
                error.finished = true;
                break;
            case Reading::OutOfOrder:
                error.code = kvErrWalkOutOfOrder;
                error.message = KvErrorText(kvErrWalkOutOfOrder);
                error.finished = true;
                break;
            case Reading::NoSuchName:
            case Reading::AllFinished:
            case Reading::Values:
                error.finished = true;
                break;
            case Reading::Row:
                break;
            }
        } catch (const KvError& e) {
            // A value that cannot be converted ends the operation with its code.
            error.code = e.code();
            error.message = e.message();
            error.finished = true;
        } catch (const std::exception&) {
            MapStatus(kvErrUnknownCode, error.code, error.message);
            error.finished = true;
        }
    } else {
        error.finished = true;
    }
    if (record.walkStep)
        WalkRowRead(error.finished ? KvWalkRow::Ended : partialRow_ ? KvWalkRow::SomeEnded : KvWalkRow::Row);
    // Counted off before the callback runs: the owner may take the request
    // apart from inside its callback.
    --pending;
    if (destroying_ || !record.callback)
        return;
    record.callback(record.context, error, variables);
}
