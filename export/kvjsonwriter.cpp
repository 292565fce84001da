#include "export/kvjsonwriter.h"

#include <cstdio>

#include "common/kvutf8.h"

namespace {

std::string Escape(unsigned value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", value);
    return buffer;
}

std::string Array(const std::vector<std::string>& texts)
{
    std::string array = "[";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i)
            array += ", ";
        array += KvJsonWriter::Quote(texts[i]);
    }
    return array + "]";
}

} // namespace

std::string KvJsonWriter::Quote(const std::string& text)
{
    std::string quoted = "\"";
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"':
            quoted += "\\\"";
            ++i;
            continue;
        case '\\':
            quoted += "\\\\";
            ++i;
            continue;
        case '\n':
            quoted += "\\n";
            ++i;
            continue;
        case '\r':
            quoted += "\\r";
            ++i;
            continue;
        case '\t':
            quoted += "\\t";
            ++i;
            continue;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            quoted += Escape(c);
            ++i;
            continue;
        }
        const size_t length = KvUtf8::SequenceLength(text, i);
        if (length == 0) {
            quoted += Escape(c);
            ++i;
            continue;
        }
        quoted.append(text, i, length);
        i += length;
    }
    return quoted + "\"";
}

void KvJsonWriter::NextItem()
{
    out_ << (firstItem_ ? "\n  " : ",\n  ");
    firstItem_ = false;
}

void KvJsonWriter::BeginDocument(bool severalPages)
{
    severalPages_ = severalPages;
    firstPage_ = true;
    if (severalPages_)
        out_ << "[\n";
}

void KvJsonWriter::BeginPage(const KvExportPageInfo& page, const std::vector<std::string>& labels)
{
    if (!firstPage_)
        out_ << ",\n";
    firstPage_ = false;
    firstItem_ = true;
    out_ << "{\"title\": " << Quote(page.title) << ", \"name\": " << Quote(page.name)
         << ", \"kind\": " << (page.table ? "\"table\"" : "\"scalars\"");
    if (page.table)
        out_ << ",\n \"columns\": " << Array(labels) << ",\n \"rows\": [";
    else
        out_ << ",\n \"variables\": [";
    out_.flush();
}

void KvJsonWriter::Row(const std::vector<std::string>& values)
{
    NextItem();
    out_ << Array(values);
    out_.flush();
}

void KvJsonWriter::Variable(const std::string& label, const std::string& value)
{
    NextItem();
    out_ << "{\"label\": " << Quote(label) << ", \"value\": " << Quote(value) << "}";
}

void KvJsonWriter::EndPage(const std::string& error)
{
    out_ << (firstItem_ ? "]" : "\n ]");
    if (!error.empty())
        out_ << ",\n \"error\": " << Quote(error);
    out_ << "}";
    if (!severalPages_)
        out_ << "\n";
    out_.flush();
}

void KvJsonWriter::EndDocument()
{
    if (severalPages_)
        out_ << (firstPage_ ? "]\n" : "\n]\n");
    out_.flush();
}

void KvJsonWriter::List(const std::vector<KvExportListEntry>& entries)
{
    out_ << "[";
    for (size_t i = 0; i < entries.size(); ++i) {
        const KvExportListEntry& entry = entries[i];
        out_ << (i ? ",\n  " : "\n  ") << "{\"title\": " << Quote(entry.title) << ", \"kind\": " << Quote(entry.kind)
             << ", \"variables\": " << entry.variables << ", \"name\": " << Quote(entry.name) << "}";
    }
    out_ << (entries.empty() ? "]\n" : "\n]\n");
    out_.flush();
}
