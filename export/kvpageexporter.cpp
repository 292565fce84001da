#include "export/kvpageexporter.h"

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "export/kvpagelookup.h"
#include "export/kvstatusline.h"
#include "tables/pagecatalogue.h"
#include "snmp/kvsnmprequest.h"

namespace {

constexpr int32_t kTimeoutCode = kvErrTimeout;
constexpr int32_t kUnknownErrorCode = kvErrUnknownCode;

} // namespace

bool KvPageExporter::Result::NoAnswer() const
{
    return code == kTimeoutCode;
}

bool KvPageExporter::IsTable(const PageCommand& page)
{
    return page.kind == kvListTable || page.kind == kvListTableRows;
}

std::vector<int32_t> KvPageExporter::ShownVariables(const KvSNMPVarList& variables)
{
    std::vector<int32_t> shown;
    for (int32_t i = 0; i < variables.Count(); ++i)
        if (variables.IsShown(i))
            shown.push_back(i);
    return shown;
}

KvPageExporter::Result KvPageExporter::Export(const PageCommand& page)
{
    const bool table = IsTable(page);
    KvSNMPRequest request;
    request.variables = KvSNMPVarList(page.variables, page.kind, page.keyCount);
    request.variables.instance = page.instance ? page.instance : "";
    // The status line names the page.
    request.variables.name = " " + KvPageLookup::Trim(page.title);

    const std::vector<int32_t> shown = ShownVariables(request.variables);
    std::vector<std::string> labels;
    for (int32_t i : shown)
        labels.push_back(request.variables[i].label);
    writer_.BeginPage({page.title, page.name, table}, labels);

    Result result;
    auto values = [&]() {
        std::vector<std::string> row;
        for (int32_t i : shown)
            row.push_back(request.variables[i].value);
        return row;
    };
    try {
        if (table) {
            // The request ends a walk whose agent answers out of order.
            bool first = true;
            while (request.Fetch(first)) {
                first = false;
                if (!request.CheckRowCondition())
                    continue;
                writer_.Row(values());
                ++result.rows;
            }
        } else {
            request.Fetch(true);
            if (request.CheckRowCondition()) {
                const std::vector<std::string> row = values();
                for (size_t k = 0; k < shown.size(); ++k)
                    writer_.Variable(labels[k], row[k]);
            }
        }
    } catch (const KvError& error) {
        result.ok = false;
        result.code = error.code();
        result.message = error.message();
    } catch (const std::exception&) {
        result.ok = false;
        result.code = kUnknownErrorCode;
        result.message = KvErrorText(kUnknownErrorCode);
    }
    if (!result.ok)
        result.statusLine = KvExportStatusLine(result.message, request.variables.name);
    writer_.EndPage(result.statusLine);
    return result;
}
