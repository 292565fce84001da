#include "config/kvconfigdiff.h"

#include "export/kvjsonwriter.h"
#include "export/kvpagelookup.h"

namespace {

using Difference = KvConfigDiff::Difference;

const KvConfigSetting* FindSetting(const KvConfigRow& row, const std::string& oid)
{
    for (const KvConfigSetting& setting : row.settings)
        if (setting.oid == oid)
            return &setting;
    return nullptr;
}

void CompareRows(const std::string& title, const KvConfigRow& a, const KvConfigRow& b, std::vector<Difference>& out)
{
    const std::string row = a.key.empty() ? "" : KvConfigDiff::RowName(a);
    for (const KvConfigSetting& setting : a.settings) {
        const KvConfigSetting* other = FindSetting(b, setting.oid);
        if (!other)
            out.push_back({title, row, setting.label, KvJsonWriter::Quote(setting.value), "(absent)", false});
        else if (other->value != setting.value)
            out.push_back({title, row, setting.label, setting.value, other->value, true});
    }
    for (const KvConfigSetting& setting : b.settings)
        if (!FindSetting(a, setting.oid))
            out.push_back({title, row, setting.label, "(absent)", KvJsonWriter::Quote(setting.value), false});
}

void ComparePages(const KvConfigPage& a, const KvConfigPage& b, std::vector<Difference>& out)
{
    const std::string title = KvPageLookup::Trim(a.title);
    if (a.absent != b.absent) {
        out.push_back({title, "", "", a.absent ? "page absent" : "page present",
                       b.absent ? "page absent" : "page present", false});
        return;
    }
    for (const KvConfigRow& row : a.rows) {
        if (const KvConfigRow* other = b.Row(row.key))
            CompareRows(title, row, *other, out);
        else
            out.push_back({title, KvConfigDiff::RowName(row), "", "removed row", "", false});
    }
    for (const KvConfigRow& row : b.rows)
        if (!a.Row(row.key))
            out.push_back({title, KvConfigDiff::RowName(row), "", "added row", "", false});
}

} // namespace

std::string KvConfigDiff::RowName(const KvConfigRow& row)
{
    return row.index.empty() ? row.key : row.index;
}

std::string KvConfigDiff::Difference::Line() const
{
    std::string line = page;
    if (!row.empty())
        line += ", row " + row;
    if (label.empty())
        return line + ": " + a + (b.empty() ? "" : " in A, " + b + " in B");
    line += ": " + label + ": ";
    if (!valueChange)
        return line + "A " + a + ", B " + b;
    return line + "A " + KvJsonWriter::Quote(a) + ", B " + KvJsonWriter::Quote(b);
}

std::vector<KvConfigDiff::Difference> KvConfigDiff::Compare(const KvConfigSnapshot& a, const KvConfigSnapshot& b)
{
    std::vector<Difference> out;
    if (a.model != b.model)
        out.push_back({"(switch)", "", "model", a.model, b.model, true});
    for (const KvConfigPage& page : a.pages) {
        if (const KvConfigPage* other = b.Page(page.name, page.title))
            ComparePages(page, *other, out);
        else
            out.push_back({KvPageLookup::Trim(page.title), "", "", "page only in A", "", false});
    }
    for (const KvConfigPage& page : b.pages)
        if (!a.Page(page.name, page.title))
            out.push_back({KvPageLookup::Trim(page.title), "", "", "page only in B", "", false});
    return out;
}
