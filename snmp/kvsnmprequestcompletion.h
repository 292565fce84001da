#pragma once
#include <cstdint>
#include <vector>

#include "snmp/kvsnmprequest.h"

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
};
