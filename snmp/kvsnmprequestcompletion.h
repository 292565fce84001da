#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "snmp/kvsnmprequest.h"

// A set on its way through the journal: its record, and the values still to
// be read before it may go out.
struct KvSNMPRequest::JournalDraft {
    struct Missing {
        KvWriteRecordVariable* variable; // in record.variables or record.row
        int32_t element;                 // of the variable list, for the conversions; -1: none
        const KvOptionList* options;     // without an element: the value names, or null
    };
    KvWriteRecord record;
    std::vector<Missing> missing;
    // The set itself, for StoreAsync.
    SnmpPdu set;
    SnmpTarget target;
    std::vector<int32_t> bindings;
    CompletionCallback callback = nullptr;
    void* context = nullptr;
    bool readBack = false;
};

// The record behind one asynchronous step of a KvSNMPRequest: sent to the
// agent (get, walk step, set) or posted (a row of a GETBULK handed on).
struct KvSNMPRequest::Completion {
    KvSNMPRequest* request;      // null once the request is gone
    CompletionCallback callback; // null: nobody waits yet (a GETBULK sent ahead)
    void* context;
    bool readValues;
    bool walkStep;                              // a fetch (not a write read back)
    std::vector<int32_t> bindingVariables = {}; // element of every binding sent
    uint32_t generation = 0;                    // of the walk cursor when it was sent
    bool bulk = false;                          // a GETBULK
    bool ahead = false;                         // sent ahead of the rows being handed on
    bool buffered = false;                      // a row of an earlier GETBULK
    bool firstRow = false;                      // the first step of its walk
    // A journaled set: where its outcome goes.
    KvWriteJournal* journal = nullptr;
    std::string journalId = {};
    // A GET of the values a journaled set overwrites: the set follows it.
    std::unique_ptr<JournalDraft> draft = {};
};
