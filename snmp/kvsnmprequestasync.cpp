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


void KvSNMPRequest::StoreAsync(CompletionCallback callback, void* context, bool readBack, const KvWriteSet& write)
{
    if (!active)
        return;
    const KvSNMPVarList saved(variables);
    try {
        for (int32_t i = 0; i < variables.Count(); ++i)
            ApplyExpression(i, false);
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
