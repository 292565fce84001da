#include "config/kvconfigplan.h"

#include <algorithm>

#include "common/kvoptionlist.h"
#include "config/kvconfigdiff.h"
#include "config/kvconfigvalue.h"
#include "export/kvjsonwriter.h"
#include "export/kvpagelookup.h"
#include "tables/pagecatalogue.h"

namespace {

constexpr int kCreate = 0;
constexpr int kChange = 1;
constexpr int kRemove = 2;
constexpr int kReach = 3;

const KvConfigSetting* FindSetting(const KvConfigRow& row, const std::string& oid)
{
    for (const KvConfigSetting& setting : row.settings)
        if (setting.oid == oid)
            return &setting;
    return nullptr;
}

KvConfigWrite::Variable Variable(const KvConfigCatalogue::Column& column, const std::string& oid,
                                 const std::string& value, const KvConfigSetting* before)
{
    KvConfigWrite::Variable variable;
    variable.label = column.def->label;
    variable.oid = oid;
    variable.syntax = column.def->syntax;
    variable.options = column.def->options;
    variable.value = value;
    variable.before = before ? before->value : "";
    variable.absent = !before;
    return variable;
}

// The RowStatus column's variable with the value `number` (4 createAndGo, 6
// destroy), named as the column names it.
KvConfigWrite::Variable RowStatus(const KvConfigCatalogue::Page& page, const std::string& key, int number)
{
    const VarDef& def = page.command->variables[page.rowStatus];
    const KvConfigCatalogue::Column column{page.rowStatus, &def, false};
    const int index = def.options->IndexOfValue(std::to_string(number));
    return Variable(column, page.Oid(column, key), index >= 0 ? def.options->Label(index) : std::to_string(number),
                    nullptr);
}

std::string Shown(const std::string& value)
{
    return KvJsonWriter::Quote(value);
}

} // namespace

void KvConfigPlan::Add(int phase, int rank, KvConfigWrite write)
{
    ordered_.push_back({phase, rank, ordered_.size(), std::move(write)});
}

KvConfigPlan::KvConfigPlan(const KvConfigCatalogue& catalogue, const KvConfigSnapshot& wanted,
                           const KvConfigSnapshot& live, bool removeRows)
{
    KvConfigWrite reach;
    for (const KvConfigCatalogue::Page& page : catalogue.Pages()) {
        const std::string title = KvPageLookup::Trim(page.command->title);
        const KvConfigPage* want = wanted.Page(page.command->name, page.command->title);
        const KvConfigPage* have = live.Page(page.command->name, page.command->title);
        if (!want || !have || want->absent)
            continue;
        if (have->absent) {
            notes_.push_back(title + ": the switch does not have this page; its settings are not restored");
            continue;
        }
        for (const KvConfigRow& row : want->rows) {
            const KvConfigRow* current = have->Row(row.key);
            const std::string rowName = row.key.empty() ? "" : KvConfigDiff::RowName(row);
            if (!current) {
                if (page.rowStatus < 0) {
                    notes_.push_back(title + ", row " + rowName +
                                     ": the switch lacks this row, and the table has no row creation");
                    continue;
                }
                KvConfigWrite create{KvConfigWrite::Kind::CreateRow, title, rowName, false, {}};
                create.variables.push_back(RowStatus(page, row.key, 4));
                for (const KvConfigSetting& setting : row.settings)
                    if (const KvConfigCatalogue::Column* column = page.Find(setting.oid, row.key))
                        create.variables.push_back(Variable(*column, setting.oid, setting.value, nullptr));
                Add(kCreate, page.rank, std::move(create));
                continue;
            }
            KvConfigWrite change{KvConfigWrite::Kind::Set, title, rowName, false, {}};
            for (const KvConfigSetting& setting : row.settings) {
                const KvConfigSetting* before = FindSetting(*current, setting.oid);
                const KvConfigCatalogue::Column* column = page.Find(setting.oid, row.key);
                if (!column || (before && before->value == setting.value))
                    continue;
                if (!before) {
                    notes_.push_back(title + (rowName.empty() ? "" : ", row " + rowName) + ": " + setting.label +
                                     ": the switch does not have this variable");
                    continue;
                }
                KvConfigWrite& into = column->reach ? reach : change;
                if (column->reach && into.page.empty())
                    into = {KvConfigWrite::Kind::Set, title, rowName, true, {}};
                into.variables.push_back(Variable(*column, setting.oid, setting.value, before));
            }
            if (!change.variables.empty())
                Add(kChange, page.rank, std::move(change));
        }
        for (const KvConfigRow& row : have->rows) {
            if (want->Row(row.key))
                continue;
            const std::string rowName = KvConfigDiff::RowName(row);
            if (!removeRows || page.rowStatus < 0) {
                notes_.push_back(title + ", row " + rowName + ": not in the snapshot; " +
                                 (page.rowStatus < 0 ? "the table has no row removal" : "kept (see --remove-rows)"));
                continue;
            }
            KvConfigWrite remove{KvConfigWrite::Kind::RemoveRow, title, rowName, false, {}};
            remove.variables.push_back(RowStatus(page, row.key, 6));
            Add(kRemove, 1 - page.rank, std::move(remove));
        }
    }
    if (!reach.variables.empty())
        Add(kReach, 0, std::move(reach));
    std::stable_sort(ordered_.begin(), ordered_.end(), [](const Ordered& a, const Ordered& b) {
        return a.phase != b.phase ? a.phase < b.phase : a.rank < b.rank;
    });
    for (Ordered& entry : ordered_)
        writes_.push_back(std::move(entry.write));
    ordered_.clear();
}

bool KvConfigPlan::Check(const KvConfigCatalogue& catalogue, const KvConfigSnapshot& wanted, std::string& error)
{
    for (const KvConfigPage& page : wanted.pages) {
        const std::string title = "page \"" + KvPageLookup::Trim(page.title) + "\"";
        const KvConfigCatalogue::Page* known = catalogue.Find(page.name, page.title);
        if (!known) {
            error = title + " (" + page.name + ") holds no settings this program knows";
            return false;
        }
        if (page.absent)
            continue;
        if (page.table != known->Table()) {
            error = title + " is a " + (known->Table() ? "table" : "group of scalars") + ", not what the file says";
            return false;
        }
        for (const KvConfigRow& row : page.rows) {
            for (const KvConfigSetting& setting : row.settings) {
                const KvConfigCatalogue::Column* column = known->Find(setting.oid, row.key);
                if (!column) {
                    error = title + ": " + setting.oid + " (\"" + setting.label + "\") is no setting of this page";
                    return false;
                }
                const std::string syntax = KvConfigCatalogue::SyntaxName(column->def->syntax);
                if (setting.syntax != syntax) {
                    error = title + ": " + setting.oid + " has syntax " + syntax + ", the file says " + setting.syntax;
                    return false;
                }
                const std::string refusal = KvConfigValue::Refusal(*known, *column, setting.value);
                if (!refusal.empty()) {
                    error = title + (row.key.empty() ? "" : ", row " + KvConfigDiff::RowName(row)) + ": " +
                            column->def->label + " (" + setting.oid + ") = " + Shown(setting.value) + ": " + refusal;
                    return false;
                }
            }
        }
    }
    return true;
}

std::string KvConfigPlan::Describe(const KvConfigWrite& write, size_t number)
{
    static const char* const kKinds[] = {"set", "create row", "remove row"};
    std::string text = std::to_string(number) + ". " + kKinds[static_cast<int>(write.kind)] + " \"" + write.page + "\"";
    if (!write.row.empty())
        text += ", row " + write.row;
    if (write.reach)
        text += "  [changes how the switch is reached: sent last]";
    text += "\n";
    for (const KvConfigWrite::Variable& variable : write.variables) {
        text += "     " + variable.oid + "  " + variable.label + " = " + Shown(variable.value);
        if (!variable.absent)
            text += " (now " + Shown(variable.before) + ")";
        text += "\n";
    }
    return text;
}
