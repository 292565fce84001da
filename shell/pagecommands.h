#pragma once
#include <memory>
#include <string>

#include "tables/pagecatalogue.h"

class KvSNMPRequest2Edits;
class QLabel;
class TConfigForm;
class TMainForm;

// The commands that open generic pages. Every generic command follows one
// pattern:
//   1. the page title goes into the main window's PageTitle;
//   2. a TConfigForm (a top-level window of the application) is created,
//      captioned "title : switch address";
//   3. a KvSNMPRequest2Edits binding is created on it and the page's variable
//      list (its static table with the command's kind and key count, and
//      instance when it has one) is copied into the binding's request;
//   4. the command's builder makes the page; the window owns the binding;
//   5. the command's adjustments follow, in this order: editor widths and
//      text limits, the Stop button, the window height, the window width;
//   6. the window is shown modally and freed.
// The commands that differ:
//   - "Spanning Tree Control" adds two red note labels below its last editor;
//   - "RMON Control" re-reads the switch's RMON state once its window has
//     closed and enables or disables the RMON browser items by it;
//   - the per-port pages of the front panel read one row of their table (the
//     port number is appended to every object identifier) and show the port
//     number in a disabled edit in place of the port-index editor.
// Errors raised while a page is built reach the caller (the application's
// exception display); SNMP failures while it runs are shown on the page.
namespace pagecommands {

// Steps 2 to 5 for `command`: the page window, built and adjusted, not yet
// shown. `port` > 0 makes a per-port page of that port.
std::unique_ptr<TConfigForm> BuildPage(const PageCommand& command, const std::string& pageTitle,
                                       const std::string& agentAddress, int port = 0);

// Steps 3 to 5 on a page window and binding the caller made (a window class
// or binding of its own derived from the generic ones): the variable list
// into the binding's request, the builder, the adjustments.
void BuildOn(TConfigForm& form, std::unique_ptr<KvSNMPRequest2Edits> binding, const PageCommand& command, int port = 0);

// The whole command for the main window's menu.
void OpenPage(TMainForm& mainForm, const PageCommand& command);

// A per-port page ("Port Information Table", "Port Configuration") of port
// `port` for the main window (the front panel's pop-up menu).
void OpenPortPage(TMainForm& mainForm, const PageCommand& command, int port);

// The adjustments of step 5 on a built page.
void ApplyAdjustments(TConfigForm& form, const PageAdjust& adjust);

// The two red note labels below the last editor of the page ("Spanning Tree
// Control"). Gives the second label.
QLabel* AddStpNotes(TConfigForm& form);

// Re-reads the switch's RMON state through the main window's RMON-state
// binding (made on first use over the "RMON Control" variable). It shows the
// state in the main window's hidden static text ST_RmonState; "disabled"
// disables the three RMON browser items, "enabled" enables them. A failure is
// written into status panel 0 and not passed on.
void RereadRmonState(TMainForm& mainForm);

// The static text the RMON state is shown in (the front panel's ST_RmonState,
// or a hidden one of the main window's own when there is no front panel).
QLabel* RmonStateText(TMainForm& mainForm);

// Object names of the note labels and of the per-port edit.
constexpr const char* kStpNoteName1 = "StpNote1";
constexpr const char* kStpNoteName2 = "StpNote2";
constexpr const char* kPortEditName = "PortNumberEdit";

} // namespace pagecommands
