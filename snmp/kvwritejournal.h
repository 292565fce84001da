#pragma once
#include <cstdint>
#include <string>
#include <vector>

class KvOptionList;

// The record of every write the program sends, kept below every window: a
// KvSNMPRequest hands each SET to the journal installed here before it goes
// out and its outcome after. The journal itself lives in a higher layer
// (journal/); this is only the interface the request calls.

// One variable of a write: what the switch held before (the value the window
// last read for this instance, or read just before the write) and what is
// written. The texts are those a window shows (value names, expressions
// applied); the wire texts are the same values as the syntax alone prints
// them (no value names, no expressions), which is what an undo writes back.
struct KvWriteRecordVariable {
    std::string oid; // full object identifier, with the instance
    std::string label;
    uint32_t syntax = 0;
    std::string before;
    std::string written;
    std::string beforeWire;
    std::string writtenWire;
    bool absent = false;    // the switch had no such instance before
    bool rowStatus = false; // the row-status column of a row created or destroyed
    bool writable = true;   // a column of a destroyed row that a write can set again
};

struct KvWriteRecord {
    // A write that creates a row (a row status createAndGo / createAndWait)
    // or destroys one (destroy); every other write is a Set.
    enum class Kind { Set, CreateRow, DestroyRow };

    Kind kind = Kind::Set;
    std::string address; // the switch written to
    uint16_t port = 161;
    std::string caption;                          // the page or window that wrote
    std::string undoes;                           // the entry this write undoes; empty for others
    std::vector<KvWriteRecordVariable> variables; // the variables sent, in the order sent
    // DestroyRow: every column of the row as it was (written left empty), so
    // that an undo can create the row again.
    std::vector<KvWriteRecordVariable> row;
    // DestroyRow: `row` holds every column the program knows of the table
    // (else an undo would add the row back without its values).
    bool rowWhole = false;
};

// A column of a table row as the program's tables define it.
struct KvWriteRowColumn {
    std::string oid; // full, with the row's instance
    std::string label;
    uint32_t syntax = 0;
    const KvOptionList* options = nullptr; // value names, or null
    bool writable = false;
};

// How a write ended.
struct KvWriteOutcome {
    enum class Kind { Ok, Failed, NoAnswer };
    Kind kind = Kind::Ok;
    int32_t code = 0;
    std::string message;  // the text of the code (the message sets' words)
    std::string variable; // Failed: the OID the switch named, if any
};

// The observer of writes. BeforeSend returns only once the record is on disk
// (the write goes out after it); it raises KvError when the record cannot be
// kept, and the write is then not sent. AfterOutcome must not raise.
class KvWriteJournal {
public:
    virtual ~KvWriteJournal() = default;
    // The entry's ID.
    virtual std::string BeforeSend(const KvWriteRecord& record) = 0;
    virtual void AfterOutcome(const std::string& id, const KvWriteOutcome& outcome) = 0;
    // The readable columns of the row whose row-status variable (full OID)
    // is `statusOid`, as the program knows its table: read before the row
    // is destroyed, whatever columns the request itself holds. Empty when
    // the table is unknown.
    virtual std::vector<KvWriteRowColumn> RowColumns(const std::string& statusOid) const
    {
        (void)statusOid;
        return {};
    }

    // The journal of the process, given to every request constructed after;
    // null (none, the default) or not owned.
    static KvWriteJournal* Installed();
    static void Install(KvWriteJournal* journal);
};

// The text of an outcome as the journal and its readers show it: "Ok", the
// error's text, or "sent, no answer".
std::string KvWriteOutcomeText(const KvWriteOutcome& outcome);
