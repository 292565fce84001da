#include "export/kvexportcatalogue.h"

#include "browser/tables/browsercatalogue.h"
#include "shell/tables/pagecatalogue.h"

const std::vector<const PageCommand*>& KvExportCatalogue::Pages()
{
    static const std::vector<const PageCommand*> pages = [] {
        std::vector<const PageCommand*> all;
        for (const PageCommand& page : kvtables::PageCatalogue())
            all.push_back(&page);
        for (const kvbrowser::BrowserTable& table : kvbrowser::BrowserTables())
            all.push_back(&table.command);
        return all;
    }();
    return pages;
}
