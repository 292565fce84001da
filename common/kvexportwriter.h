#pragma once
#include <ostream>
#include <string>
#include <vector>

// What a writer needs to know about a page before its values arrive.
struct KvExportPageInfo {
    std::string title;  // the page title exactly as the menu holds it
    std::string name;   // the menu item's component name
    bool table = false; // a table (header and rows) or a group of scalars (label, value)
};

// One line of --list.
struct KvExportListEntry {
    std::string title;
    std::string kind; // "scalars" or "table"
    int variables = 0;
    std::string name;
};

// Writes exported pages in one output format. Calls come in this order:
// BeginDocument, then per page BeginPage, Row (tables) or Variable (scalars)
// as values arrive, EndPage; finally EndDocument. Every row is flushed as it
// is written, so a long table walk streams.
class KvExportWriter {
public:
    explicit KvExportWriter(std::ostream& out) : out_(out) {}
    virtual ~KvExportWriter() = default;
    KvExportWriter(const KvExportWriter&) = delete;
    KvExportWriter& operator=(const KvExportWriter&) = delete;

    // `severalPages`: --all; each page is introduced by its title.
    virtual void BeginDocument(bool severalPages) = 0;
    // `labels`: the column headers of a table (unused for scalars).
    virtual void BeginPage(const KvExportPageInfo& page, const std::vector<std::string>& labels) = 0;
    virtual void Row(const std::vector<std::string>& values) = 0;
    virtual void Variable(const std::string& label, const std::string& value) = 0;
    // `error`: empty on success, else the status line of the failed read.
    virtual void EndPage(const std::string& error) = 0;
    virtual void EndDocument() = 0;

    // The whole page list (--list), as one document.
    virtual void List(const std::vector<KvExportListEntry>& entries) = 0;

protected:
    std::ostream& out_;
};
