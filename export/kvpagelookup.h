#pragma once
#include <string>
#include <string_view>
#include <vector>

struct PageCommand;

// Finds the page an operator names on the command line among the generic pages
// of the main menu, and suggests titles when none matches.
class KvPageLookup {
public:
    enum class Match {
        None,
        Exact,        // the title exactly as the menu holds it
        Trimmed,      // equal once leading and trailing blanks are dropped on both sides
        IgnoringCase, // the same, ignoring ASCII letter case
        Name,         // the menu item's component name ("TargetAddressTable1")
    };

    struct Found {
        const PageCommand* page = nullptr;
        Match match = Match::None;
    };

    // The first page in menu order that matches, trying the kinds of match in
    // the order above.
    static Found Find(std::string_view query);

    // The pages of the hand-made window with several requests whose caption
    // the query names (exactly, trimmed or ignoring case, as Find compares
    // titles), in window order; none when the query names no such window.
    static std::vector<const PageCommand*> FindWindow(std::string_view query);

    // True when the text names one of the front panel's per-port pages, which
    // need a port and are not exported.
    static bool IsPortPageTitle(std::string_view query);

    // Up to `limit` distinct titles close to the query, closest first: titles
    // that contain the query (or are contained in it), then those within a few
    // edits of it.
    static std::vector<std::string> Suggest(std::string_view query, size_t limit = 5);

    static std::string Trim(std::string_view text);
};
