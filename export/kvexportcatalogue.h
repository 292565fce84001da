#pragma once
#include <vector>

struct PageCommand;

// The pages the export reads, in the order --list and --all give them: the
// generic pages of the main menu (hidden items included), then the tables of
// the pages of the MIB browser stand-in.
class KvExportCatalogue {
public:
    static const std::vector<const PageCommand*>& Pages();
};
