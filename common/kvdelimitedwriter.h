#pragma once
#include "common/kvexportwriter.h"

// Tab- or comma-separated lines. A table page is a header line of labels and
// one line per row; a scalar page one line per variable (label, value). With
// several pages each begins with a line "# <title>" and an empty line
// separates the pages.
//
// Tab-separated fields write tab, newline, carriage return and backslash as
// \t, \n, \r and \\. Comma-separated fields are put in double quotes (quotes
// doubled) when they hold a comma, a quote or a line break; a line of one empty
// field is written "" so that it is not read as an empty line. Bytes that are
// not UTF-8 are written as their Latin-1 characters (KvUtf8).
class KvDelimitedWriter : public KvExportWriter {
public:
    enum class Style { Tsv, Csv };
    KvDelimitedWriter(std::ostream& out, Style style) : KvExportWriter(out), style_(style) {}

    void BeginDocument(bool severalPages) override;
    void BeginPage(const KvExportPageInfo& page, const std::vector<std::string>& labels) override;
    void Row(const std::vector<std::string>& values) override;
    void Variable(const std::string& label, const std::string& value) override;
    void EndPage(const std::string& error) override;
    void EndDocument() override;
    void List(const std::vector<KvExportListEntry>& entries) override;

    // One field in this style's encoding.
    std::string Field(const std::string& text) const;

private:
    void Line(const std::vector<std::string>& fields);

    Style style_;
    bool severalPages_ = false;
    bool firstPage_ = true;
};
