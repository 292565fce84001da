#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/kvexportwriter.h"

struct PageCommand;
class KvSNMPVarList;

// Reads one generic page from the switch and hands its values to a writer:
// the page's variable list (its table, kind, key count and instance, as the
// menu command builds it) is loaded into a request; a scalar page is read with
// one get, a table is walked row by row and every row is written as soon as it
// arrives.
//
// The variables written are those the window shows: the list view's visible
// columns (skip and hidden clear, and index, shown or read set), in table
// order; hidden columns have no width in the window and are left out, and so
// are variables that are neither shown nor hidden.
class KvPageExporter {
public:
    struct Result {
        bool ok = true;
        int32_t code = 0;       // 0, or the code of the failure
        std::string message;    // the failure's message
        std::string statusLine; // "Get: <message> Request: <title>. Receive at <time>."
        int rows = 0;           // rows written (tables)
        bool NoAnswer() const;  // the switch did not answer (time-out)
    };

    explicit KvPageExporter(KvExportWriter& writer) : writer_(writer) {}

    Result Export(const PageCommand& page);

    // True for the kinds that are walked as tables.
    static bool IsTable(const PageCommand& page);
    // Positions of the variables the window shows, in table order.
    static std::vector<int32_t> ShownVariables(const KvSNMPVarList& variables);

private:
    KvExportWriter& writer_;
};
