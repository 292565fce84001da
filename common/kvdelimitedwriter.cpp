#include "common/kvdelimitedwriter.h"

#include "common/kvutf8.h"

std::string KvDelimitedWriter::Field(const std::string& raw) const
{
    const std::string text = KvUtf8::Repair(raw);
    std::string field;
    if (style_ == Style::Tsv) {
        for (char c : text) {
            switch (c) {
            case '\t':
                field += "\\t";
                break;
            case '\n':
                field += "\\n";
                break;
            case '\r':
                field += "\\r";
                break;
            case '\\':
                field += "\\\\";
                break;
            default:
                field += c;
                break;
            }
        }
        return field;
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

void KvDelimitedWriter::Line(const std::vector<std::string>& fields)
{
    const char separator = style_ == Style::Tsv ? '\t' : ',';
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            line += separator;
        line += Field(fields[i]);
    }
    if (style_ == Style::Csv && fields.size() == 1 && fields[0].empty())
        line = "\"\"";
    out_ << line << '\n';
}

void KvDelimitedWriter::BeginDocument(bool severalPages)
{
    severalPages_ = severalPages;
    firstPage_ = true;
}

void KvDelimitedWriter::BeginPage(const KvExportPageInfo& page, const std::vector<std::string>& labels)
{
    if (severalPages_) {
        if (!firstPage_)
            out_ << '\n';
        Line({"# " + page.title});
    }
    firstPage_ = false;
    if (page.table)
        Line(labels);
    out_.flush();
}

void KvDelimitedWriter::Row(const std::vector<std::string>& values)
{
    Line(values);
    out_.flush();
}

void KvDelimitedWriter::Variable(const std::string& label, const std::string& value)
{
    Line({label, value});
}

void KvDelimitedWriter::EndPage(const std::string&)
{
    out_.flush();
}

void KvDelimitedWriter::EndDocument()
{
    out_.flush();
}

void KvDelimitedWriter::List(const std::vector<KvExportListEntry>& entries)
{
    Line({"Title", "Kind", "Variables", "Name"});
    for (const KvExportListEntry& entry : entries)
        Line({entry.title, entry.kind, std::to_string(entry.variables), entry.name});
    out_.flush();
}
