#include "export/kvexportformats.h"

#include "common/kvdelimitedwriter.h"
#include "export/kvjsonwriter.h"

std::unique_ptr<KvExportWriter> KvCreateExportWriter(KvExportOptions::Format format, std::ostream& out)
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
