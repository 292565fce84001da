#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/pagecatalogue.h"

// The pages of the host's MIB browser programs that the main menu starts
// ("/TMIB_Info", "/TRmon_History", ...), as generic pages over the standard
// MIB groups. A page shows one table, or several side by side on tabs
// ("History", "Alarm/Event"); each table is a generic page command, so the
// page window and the export build it as they build the main menu's pages.
namespace kvbrowser {

struct BrowserTable {
    const char* page;        // page name after "/T": module prefix, "_", page ("MIB_Info")
    const char* pageTitle;   // title of the page's window
    bool rates;              // counters show a per-second rate; automatic refresh offered
    PageCommand command;     // the table; its title names the table's tab on a page of several
};

// Every table of every page, page by page in the order of the main menu; the
// tables of one page follow each other.
std::span<const BrowserTable> BrowserTables();

// The tables of the page named `page` (without "/T", as "Bridge_STPPort");
// empty when there is no such page. Names are compared exactly.
std::span<const BrowserTable> FindBrowserPage(std::string_view page);

// The page names, each once, in menu order.
std::vector<std::string> BrowserPageNames();

// The page a browser command line names: the value of its first parameter
// that begins with "/T" (the page name less "/T"); empty when none does.
std::string PageParameter(const std::vector<std::string>& parameters);

} // namespace kvbrowser
