#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/pagerowops.h"
#include "pages/uientrydef.h"
#include "snmp/vardef.h"
#include "snmp/kvwritejournal.h"

// The four builders of the generic page window.
enum class PageBuilder : uint8_t {
    SetEditorPage,            // editor page from the layout table
    SetEditorPageFromList,    // editor page from a layout derived from the variable list
    SetListViewPage,          // list-view page from the layout table
    SetListViewPageFromList,  // list-view page from a derived layout
};

// Text limit of one editor; a list of them ends with entry -1.
struct EditorLimit {
    int32_t entry;           // layout entry whose editor is limited
    int32_t maxLength;       // maximum number of characters
};

// Window adjustments a command makes after its builder, applied in the order of
// the fields: editor widths and text limits, the Stop button, the window
// height, the window width. Zero and null leave a property as the builder made
// it.
struct PageAdjust {
    int32_t editorWidthAdd;      // pixels added to the width of every editor, in table order
    int32_t editorWidth;         // width given to every editor
    const EditorLimit* limits;   // text limits of single editors, or null
    bool stopButton;             // show the Stop button of the list-view button bar
    int32_t height;              // window height in pixels
    int32_t heightAdd;           // pixels added to the window height
    int32_t widthAdd;            // pixels added to the window width
};

// Behaviour of a page command beyond the common pattern.
enum class PageSpecial : uint8_t {
    none,
    stpNotes,          // two red note labels below the last editor (StpNoteTexts)
    rmonStateOnClose,  // closing the page re-reads the RMON state of the main window
    portRow,           // one port's row: the port number is appended to every oid of
                       // the list and a disabled edit showing it replaces the editor
                       // of the first entry
};

// One generic page command: everything its click handler needs to build the
// page. The handler is the component name followed by "Click".
struct PageCommand {
    const char* name;            // component name of the menu item
    const char* title;           // page title, exactly as shown (trailing blanks kept)
    PageBuilder builder;
    uint8_t kind;                // variable list kind (kvListScalars .. kvListTableRows)
    int32_t keyCount;            // variable list key count
    const VarDef* variables;     // variable table
    const UIEntryDef* layout;    // layout table; null for the FromList builders
    PageRowOps rowOps;           // list-view builders only
    const char* instance;        // instance of the variable list, or null
    PageSpecial special;
    PageAdjust adjust;
};

namespace kvtables {

// The generic page commands of the main menu, in menu order (hidden items
// included).
std::span<const PageCommand> PageCatalogue();

// The per-port pages of the front panel's port pop-up menu ("Port Information",
// "Port Configuration"); both are PageSpecial::portRow pages.
std::span<const PageCommand> PortPages();

// By component name, in the main menu and then in the port pop-up menu; null
// when none.
const PageCommand* FindPageByName(std::string_view name);

// The first page in menu order whose title equals `title` exactly (several
// commands share a title, e.g. "Target Address Table"); then the port pages;
// null when none.
const PageCommand* FindPageByTitle(std::string_view title);

// Whether a column is a table's row status (its value names create and
// destroy rows).
bool IsRowStatus(const VarDef& def);

// The readable columns (keys aside) of the row whose row-status variable is
// `statusOid` (full, with the row's instance), as the table pages of `pages`
// define them: added to `columns`, each once. The change journal reads them
// before a row is deleted.
void AddRowColumns(std::span<const PageCommand> pages, const std::string& statusOid,
                   std::vector<KvWriteRowColumn>& columns);
// Those of the main menu's and the port pop-up menu's pages.
std::vector<KvWriteRowColumn> MenuRowColumns(const std::string& statusOid);

// The texts of the two note labels of the "Spanning Tree Control" page, in
// order, and the gap in pixels between the last editor (or the first label)
// and the label below it.
std::span<const char* const> StpNoteTexts();
constexpr int kStpNoteGap = 8;

} // namespace kvtables
