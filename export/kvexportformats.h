#pragma once
#include <memory>
#include <ostream>

#include "common/kvexportwriter.h"
#include "export/kvexportoptions.h"

// The writer of one output format of the export.
std::unique_ptr<KvExportWriter> KvCreateExportWriter(KvExportOptions::Format format, std::ostream& out);
