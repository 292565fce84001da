#include "export/kvexportwriter.h"

#include "export/kvdelimitedwriter.h"
#include "export/kvjsonwriter.h"

std::unique_ptr<KvExportWriter> KvExportWriter::Create(KvExportOptions::Format format, std::ostream& out)
{
    switch (format) {
    case KvExportOptions::Format::Csv:
        return std::make_unique<KvDelimitedWriter>(out, KvDelimitedWriter::Style::Csv);
    case KvExportOptions::Format::Json:
        return std::make_unique<KvJsonWriter>(out);
    case KvExportOptions::Format::Tsv:
        break;
    }
    return std::make_unique<KvDelimitedWriter>(out, KvDelimitedWriter::Style::Tsv);
}
