#include "export/kvexportcatalogue.h"

#include "browser/tables/browsercatalogue.h"
#include "forms/port/portformtables.h"
#include "forms/vlan/vlanformtables.h"
#include "snmp/kvsnmpvarlist.h"
#include "tables/pagecatalogue.h"

#include <vector>

namespace kvexportcatalogue {

namespace {

// A form's table as a page the exporter walks or reads like any generic page.
PageCommand PageOf(const FormTableDef& table)
{
    PageCommand page{};
    page.name = table.formClass;
    page.title = table.title;
    const bool walked = table.kind == kvListTable || table.kind == kvListTableRows;
    page.builder = walked ? PageBuilder::SetListViewPageFromList : PageBuilder::SetEditorPageFromList;
    page.kind = table.kind;
    page.keyCount = table.keyCount;
    page.variables = table.variables;
    page.layout = nullptr;
    page.rowOps = {-1, nullptr, -1, nullptr, 0};
    page.instance = nullptr;
    page.special = PageSpecial::none;
    page.adjust = {};
    return page;
}

std::vector<PageCommand> Build()
{
    const std::span<const PageCommand> generic = kvtables::PageCatalogue();
    std::vector<PageCommand> pages(generic.begin(), generic.end());
    for (const std::span<const FormTableDef> forms : {kvforms::PortFormTables(), kvforms::VlanFormTables()})
        for (const FormTableDef& table : forms)
            pages.push_back(PageOf(table));
    for (const kvbrowser::BrowserTable& table : kvbrowser::BrowserTables())
        pages.push_back(table.command);
    return pages;
}

} // namespace

std::span<const PageCommand> Pages()
{
    static const std::vector<PageCommand> pages = Build();
    return pages;
}

} // namespace kvexportcatalogue
