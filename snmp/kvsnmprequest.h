#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/kverror.h"
#include "snmp/kvsnmpvarlist.h"
#include "snmp/kvsnmpwalkcursor.h"
#include "snmp/kvwriteset.h"
#include "snmp/kvwritejournal.h"
#include "snmp/snmppdu.h"
#include "snmp/snmptarget.h"

class SnmpEngine;

// Completion record handed to the callbacks of asynchronous requests.
struct KvSNMPError {
    int32_t code = 0;           // 0 on success, else the mapped code (-101.., -405, ...)
    int32_t errorIndex = 0;     // error index of the response PDU
    std::string message;        // text of the code
    std::string agentAddress;   // the responding target's address
    uint16_t agentPort = 0;     // and port
    bool finished = false;      // no further step needed (scalar done, walk ended, or error)
    int32_t errorVariable = -1; // the element of the variable list the error index names, or -1
};

// A failed blocking request (Fetch, Store): the code and text of the status,
// and for an error status of the agent's answer its error index and the
// element of the variable list that index names (0 and -1 when the answer
// named none, or there was no answer).
class KvSNMPResponseError : public KvError {
public:
    KvSNMPResponseError(int code, const std::string& message, int32_t errorIndex, int32_t errorVariable)
        : KvError(code, message), errorIndex_(errorIndex), errorVariable_(errorVariable)
    {
    }
    int32_t errorIndex() const noexcept { return errorIndex_; }
    int32_t errorVariable() const noexcept { return errorVariable_; }

private:
    int32_t errorIndex_;
    int32_t errorVariable_;
};

// A blocking set that never went out: the read of the values it would
// overwrite failed or was not answered, or the journal could not keep its
// record. The code and text are those of that failure (a time-out of the
// read is kvErrTimeout, as a time-out of the set would be).
class KvSNMPNotSentError : public KvError {
public:
    enum class Step { ReadBefore, Record };
    KvSNMPNotSentError(const KvError& failure, Step step) : KvError(failure.code(), failure.message()), step_(step) {}
    Step step() const noexcept { return step_; }

private:
    Step step_;
};

// Called on the GUI thread with the context given to FetchAsync / StoreAsync.
using CompletionCallback = void (*)(void* context, KvSNMPError& error, KvSNMPVarList& variables);

// Gets, walks and sets the variables of one variable list, blocking or
// asynchronously. Every value travels as text (see the conversion table in
// the implementation); failures are raised as KvError with the code of the
// status mapping and the text of the message sets.
//
// Settings are copied from KvSNMPDevice, KvSNMPSecurity, KvSNMPScope and
// defaultTimeout at construction.
class KvSNMPRequest {
public:
    KvSNMPRequest();
    // Clears `active`, then waits up to 6000 ms for outstanding asynchronous
    // requests. Completions that arrive while (or after) the request is being
    // destroyed are not passed to the callback: the owner is going away.
    virtual ~KvSNMPRequest();
    KvSNMPRequest(const KvSNMPRequest&) = delete;
    KvSNMPRequest& operator=(const KvSNMPRequest&) = delete;

    // Blocking get (kinds 0, 1) or walk step (kinds 2, 3; `firstRow` starts the
    // walk). True when a table row was received; false for scalar lists and at
    // the end of a walk. A walk also ends when every column has stopped moving
    // forward. An agent that answers out of order (an answer in a column
    // that is not after the OID asked for, or a walk that would come back to
    // a position it has been at) ends the walk with kvErrWalkOutOfOrder: the
    // rows received until then stand, and the table is known to be short.
    bool Fetch(bool firstRow);
    // The same, sent asynchronously; `callback` follows on the GUI thread.
    // Raises only when the request cannot be sent.
    void FetchAsync(CompletionCallback callback, void* context, bool firstRow);
    // Blocking set of the writable elements of `write`. The list's values
    // are as before afterwards (the set expressions change only what is
    // sent). With `readBack` the response is read into the values. A set that
    // would carry no variable is not sent (-411). A failed set is raised as
    // KvSNMPResponseError; a set stopped before it went out, by the read or
    // the record of its journal entry, as KvSNMPNotSentError.
    bool Store(bool readBack, const KvWriteSet& write);
    void StoreAsync(CompletionCallback callback, void* context, bool readBack, const KvWriteSet& write);

    bool CheckRowCondition();
    bool CheckCondition(const std::string& condition);

    // Every set is recorded in `journal` before it is sent (with the values
    // the variables had before: the ones last read for the same instance,
    // else read with a GET just before the set, asynchronously for
    // StoreAsync) and its outcome after. A journal that cannot keep the
    // record stops the set (KvError, or the callback's error).
    KvWriteJournal* journal = KvWriteJournal::Installed();
    std::string journalCaption; // the caption the entries name; empty: the list's name
    std::string journalUndoes;  // an undo's: the entry it undoes
    std::string journalId;      // the entry of the last blocking Store

    // The text of a received value by syntax alone (no value names, no
    // expressions); empty for an exception.
    static std::string WireValueText(uint32_t syntax, const SnmpVb& vb);

    // Processes SNMP events until no asynchronous request of this object is
    // outstanding or `maxMs` have passed (for owners that must wait before they
    // take themselves apart). True when none is outstanding.
    bool WaitForCompletions(int maxMs);
    // Lets go of the asynchronous requests still outstanding: their
    // completions are dropped when they arrive, and destruction no longer
    // waits for them (for owners polling an agent that may not answer).
    void AbandonCompletions();

    // Replaceable steps.
    virtual std::string SubstituteVariables(const std::string& expression, bool quote, const std::string& marker);
    // An index element's value from the front of an instance suffix; gives
    // the rest of the suffix. EncodeIndex gives the element's sub-identifiers:
    // those it was decoded from while its value is unchanged (see
    // KvSNMPVar::decodedIndex), else the encoding of its value.
    virtual std::string DecodeIndex(int32_t i, const std::string& suffix);
    virtual std::string EncodeIndex(int32_t i);
    virtual void VbToValue(int32_t i, const SnmpVb& vb);
    virtual void ValueToVb(int32_t i, SnmpVb& vb);
    virtual void ApplyExpression(int32_t i, bool afterRead);
    virtual bool EvaluateCondition(const std::string& condition);
    // Base behaviour for tables: true unless `received` lies in the column's
    // subtree (`base` and at least one arc more) and comes after
    // `previous` in OID order; an agent that answers with the OID asked for,
    // or one before it, ends the column rather than keeping the walk going.
    virtual bool IsColumnFinished(const std::string& base, const std::string& previous, const std::string& received);

    // Index values of the first keyCount elements as OID sub-identifiers.
    std::string BuildInstance();
    // The element of the variable list that binding `errorIndex` (counted from
    // 1) of the last PDU built names; -1 for none.
    int32_t VariableOfBinding(int32_t errorIndex) const;

    // Splits a row instance into the index elements' values.
    void DecodeInstance(const std::string& rowInstance);
    // oid, plus "." + instance when the list has one.
    std::string BaseOid(int32_t i) const;

    // Milliseconds one request may take with all its retries.
    int RequestTimeMs() const { return static_cast<int>(SnmpRequestTimeMs(timeout, retries)); }

    // SNMP library status -> code and message text.
    static void MapStatus(int status, int32_t& code, std::string& message);

    // Settings copied at construction.
    int32_t timeout = 100; // hundredths of a second per attempt
    int32_t retries = 1;
    std::string address;
    uint16_t port = 161;
    std::string contextEngineId;
    std::string contextName;
    int8_t version = 0;
    std::string readCommunity;
    std::string writeCommunity;
    int32_t securityModel = 1;
    int32_t securityLevel = 1;
    std::string securityName;
    std::string authPassword;
    std::string privPassword;
    int32_t authProtocol = 1;
    int32_t privProtocol = 1;

    KvSNMPVarList variables;
    std::string rowCondition;
    bool active = true;
    int32_t pending = 0;
    // Table walks under SNMPv2c and v3 ask for many rows at a time (GETBULK);
    // off, or under SNMPv1, every row is one GETNEXT. Off when the
    // environment sets OSPREY_GETNEXT (to anything but 0), for agents with
    // broken GETBULK support.
    bool bulkWalks = true;

protected:
    enum class PduType { Get, GetNext, Set };
    SnmpTarget BuildTarget();
    // A set carries the writable elements of `write` (null: every one).
    SnmpPdu BuildPdu(PduType type, const KvWriteSet* write = nullptr);

private:
    struct Completion;
    enum class Reading { Row, Values, AllFinished, WalkEnded, NoSuchName, OutOfOrder };

    // `walkStep`: the response answers a fetch, so a table's walk position
    // is checked against the positions it has been at.
    Reading ReadResponse(const SnmpPdu& response, int32_t code, bool walkStep);
    // The state the next walk step is built from: the readable columns' last
    // OIDs and the index values.
    std::string WalkPosition() const;
    void SendAsync(PduType type, CompletionCallback callback, void* context, bool readValues,
                   const KvWriteSet* write = nullptr);
    static void OnResponse(int reason, SnmpEngine& snmp, SnmpPdu& response, const SnmpTarget& target, void* data);
    void Complete(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record);

    // Walk steps (kvsnmpwalk.cpp): the requests the cursor asks for.
    // The elements of the columns a walk reads, in order.
    std::vector<int32_t> WalkedColumns() const;
    void StartWalk();
    // Hands the cursor the row just read.
    void WalkRowRead(KvWalkRow row);
    // Sends the next step of the walk (the first with `firstRow`).
    void SendWalkStep(CompletionCallback callback, void* context, bool firstRow);
    // Sends the GETBULK that follows the rows waiting, so that it is on the
    // wire while they are handed on.
    void SendAhead(const SnmpTarget& target);
    // A bulk or buffered completion: true when it was dealt with here (kept,
    // resent, or stale); false when `response` now holds the one row to read.
    bool TakeBulkCompletion(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record);

    // The journal's part (kvsnmprequestjournal.cpp).
    struct ReadValue {
        std::string shown;
        std::string wire;
        bool absent = false;
    };
    struct JournalDraft;
    // Remembers the values of a response just read, by full OID.
    void RememberRead(const SnmpPdu& response);
    // The record of the set `pdu` (whose bindings are the elements
    // `bindings`), its "before" values from those last read; the ones never
    // read are left for ReadBefore.
    std::unique_ptr<JournalDraft> DraftRecord(const SnmpPdu& pdu, const std::vector<int32_t>& bindings);
    // Fills in the draft's missing values from a GET's answer (false: the
    // variable the v1 agent refused is now known absent; ask again).
    bool TakeBefore(JournalDraft& draft, const SnmpPdu& response, int32_t code);
    SnmpPdu BeforePdu(const JournalDraft& draft) const;
    void ReadBefore(JournalDraft& draft, const SnmpTarget& target);
    void SendJournaledSet(std::unique_ptr<JournalDraft> draft);
    void SendJournaled(SnmpPdu pdu, SnmpTarget target, CompletionCallback callback, void* context, bool readBack);
    void SendBeforeGet(std::unique_ptr<JournalDraft> draft);
    void BeforeGetCompleted(int reason, SnmpPdu& response, const SnmpTarget& target, Completion& record);
    // The outcome of entry `id`; `answer` (null when none came) names the
    // variable a refusal's error index points at.
    static void RecordOutcome(KvWriteJournal* journal, const std::string& id, int32_t code, const std::string& message,
                              const SnmpPdu* answer, bool answered);

    std::map<std::string, ReadValue> lastRead_;

    KvSNMPWalkCursor cursor_;
    SnmpTarget walkTarget_;       // the agent the rows waiting came from
    Completion* ahead_ = nullptr; // the GETBULK sent ahead, while outstanding
    bool partialRow_ = false;     // a column of the last row read starts again behind, or waits for its row

    std::set<Completion*> outstanding_;
    std::vector<int32_t> pduVariables_; // element of every binding of the last PDU built
    bool destroying_ = false;
    std::string validAddress_; // last address found valid (a name is resolved once)
};
