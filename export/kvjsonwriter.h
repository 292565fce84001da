#pragma once
#include "common/kvexportwriter.h"

// JSON. One page is one object:
//   {"title": "...", "name": "...", "kind": "table",
//    "columns": ["label", ...], "rows": [["value", ...], ...]}
//   {"title": "...", "name": "...", "kind": "scalars",
//    "variables": [{"label": "...", "value": "..."}, ...]}
// with "error": "<status line>" added when the read failed (the rows received
// before the failure stay). Several pages make an array of such objects. Rows
// are written one per line as they arrive; the document is complete (parses)
// whatever happens to the read.
//
// Every value is a string. Texts from the switch need not be UTF-8: a byte
// that does not belong to a valid UTF-8 sequence is written as the character
// of the same number (\u00XX, as KvUtf8 reads it), so the output is always
// valid JSON.
class KvJsonWriter : public KvExportWriter {
public:
    explicit KvJsonWriter(std::ostream& out) : KvExportWriter(out) {}

    void BeginDocument(bool severalPages) override;
    void BeginPage(const KvExportPageInfo& page, const std::vector<std::string>& labels) override;
    void Row(const std::vector<std::string>& values) override;
    void Variable(const std::string& label, const std::string& value) override;
    void EndPage(const std::string& error) override;
    void EndDocument() override;
    void List(const std::vector<KvExportListEntry>& entries) override;

    // A JSON string literal (with its quotes) for the text.
    static std::string Quote(const std::string& text);

private:
    void NextItem();

    bool severalPages_ = false;
    bool firstPage_ = true;
    bool firstItem_ = true;
};
