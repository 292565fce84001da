#include "config/kvconfigreader.h"

#include <vector>

#include "common/kverror.h"
#include "common/kvmessages.h"
#include "common/kvutf8.h"
#include "export/kvpagelookup.h"
#include "export/kvstatusline.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmprequestsupport.h"
#include "snmp/snmpvb.h"
#include "tables/pagecatalogue.h"

namespace {

// A request that remembers which variables the switch does not have.
class KvConfigRequest : public KvSNMPRequest {
public:
    void VbToValue(int32_t i, const SnmpVb& vb) override
    {
        if (absent.size() < static_cast<size_t>(variables.Count()))
            absent.resize(static_cast<size_t>(variables.Count()));
        absent[static_cast<size_t>(i)] = vb.IsException();
        KvSNMPRequest::VbToValue(i, vb);
    }
    bool Absent(int32_t i) const { return static_cast<size_t>(i) < absent.size() && absent[static_cast<size_t>(i)]; }

    std::vector<bool> absent;
};

const VarDef kModel[] = {
    {"1.3.6.1.2.1.1.2", "sysObjectID", synOid, accRO, nullptr, nullptr, nullptr, nullptr},
    {},
};

[[noreturn]] void Fail(const KvError& error, const std::string& listName)
{
    throw KvConfigReadError(KvExportStatusLine(error.message(), listName), error.code() == kvErrTimeout);
}

// The list of a page with only its settings (and a table's index columns)
// to be read.
void Load(KvConfigRequest& request, const KvConfigCatalogue::Page& page, int32_t only = -1)
{
    const PageCommand& command = *page.command;
    request.variables = KvSNMPVarList(command.variables, command.kind, command.keyCount);
    request.variables.instance = command.instance ? command.instance : "";
    request.variables.name = " " + KvPageLookup::Trim(command.title);
    std::vector<bool> wanted(static_cast<size_t>(request.variables.Count()), false);
    for (const KvConfigCatalogue::Column& column : page.columns)
        if (only < 0 || column.position == only)
            wanted[static_cast<size_t>(column.position)] = true;
    for (int32_t i = 0; i < request.variables.Count(); ++i)
        if (!wanted[static_cast<size_t>(i)] && !(page.Table() && i < command.keyCount))
            request.variables[i].access |= accSkip;
    request.absent.clear();
}

KvConfigSetting Setting(const KvConfigCatalogue::Column& column, const std::string& oid, const std::string& value)
{
    return {column.def->label, oid, KvConfigCatalogue::SyntaxName(column.def->syntax), KvUtf8::Repair(value)};
}

} // namespace

std::string KvConfigReader::Model()
{
    KvConfigRequest request;
    request.variables = KvSNMPVarList(kModel, kvListScalars, 0);
    request.variables.name = " sysObjectID";
    try {
        request.Fetch(true);
    } catch (const KvError& error) {
        if (error.code() == kvErrNoSuchName)
            return "";
        Fail(error, request.variables.name);
    }
    return request.Absent(0) ? "" : request.variables[0].value;
}

KvConfigPage KvConfigReader::ReadPage(const KvConfigCatalogue::Page& page)
{
    const PageCommand& command = *page.command;
    KvConfigPage result;
    result.title = command.title;
    result.name = command.name ? command.name : "";
    result.table = page.Table();
    result.rowCreation = page.rowStatus >= 0;

    KvConfigRequest request;
    Load(request, page);
    try {
        if (result.table) {
            bool first = true;
            while (request.Fetch(first)) {
                first = false;
                KvConfigRow row;
                const KvConfigCatalogue::Column& lead = page.columns.front();
                const std::string base = request.BaseOid(lead.position) + ".";
                const std::string& received = request.variables[lead.position].lastOid;
                row.key = received.compare(0, base.size(), base) == 0 ? received.substr(base.size()) : received;
                for (int32_t k = 0; k < command.keyCount; ++k)
                    row.index += (k ? " " : "") + KvUtf8::Repair(request.variables[k].value);
                // A column that ended before the others has no value in this row.
                for (const KvConfigCatalogue::Column& column : page.columns)
                    if (!request.Absent(column.position) &&
                        request.variables[column.position].value != kvrequest::kNotDone)
                        row.settings.push_back(
                            Setting(column, page.Oid(column, row.key), request.variables[column.position].value));
                result.rows.push_back(std::move(row));
            }
            return result;
        }
        KvConfigRow row;
        try {
            request.Fetch(true);
            for (const KvConfigCatalogue::Column& column : page.columns)
                if (!request.Absent(column.position))
                    row.settings.push_back(
                        Setting(column, page.Oid(column, ""), request.variables[column.position].value));
        } catch (const KvError& error) {
            if (error.code() != kvErrNoSuchName)
                throw;
            // SNMPv1 refuses the whole request for one missing variable: one
            // at a time.
            for (const KvConfigCatalogue::Column& column : page.columns) {
                Load(request, page, column.position);
                try {
                    request.Fetch(true);
                } catch (const KvError& single) {
                    if (single.code() != kvErrNoSuchName)
                        throw;
                    continue;
                }
                if (!request.Absent(column.position))
                    row.settings.push_back(
                        Setting(column, page.Oid(column, ""), request.variables[column.position].value));
            }
        }
        result.absent = row.settings.empty();
        if (!result.absent)
            result.rows.push_back(std::move(row));
    } catch (const KvError& error) {
        if (error.code() != kvErrNoSuchName)
            Fail(error, request.variables.name);
        result.absent = true;
        result.rows.clear();
    }
    return result;
}

KvConfigSnapshot KvConfigReader::Read(const KvConfigCatalogue& catalogue, const Progress& progress)
{
    KvConfigSnapshot snapshot;
    snapshot.model = Model();
    const size_t total = catalogue.Pages().size();
    size_t done = 0;
    for (const KvConfigCatalogue::Page& page : catalogue.Pages()) {
        snapshot.pages.push_back(ReadPage(page));
        if (progress)
            progress(++done, total);
    }
    return snapshot;
}
