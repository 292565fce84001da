#pragma once
#include <span>

struct PageCommand;

// Every page the export knows, in the order --list and --all give them: the
// generic pages of the main menu in menu order, then the tables of the
// hand-made forms (one entry per request of a form, found by its title), then
// the pages of the MIB browser stand-in.
namespace kvexportcatalogue {

std::span<const PageCommand> Pages();

} // namespace kvexportcatalogue
