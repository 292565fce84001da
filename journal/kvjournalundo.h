#pragma once
#include <string>
#include <vector>

#include "journal/kvjournal.h"

// Undo of a journal entry, in two steps so that a window can show exactly
// what will happen before it asks for confirmation:
//
//   KvUndoPlan plan = KvJournalUndo::Plan(log, id); // reads the switch
//   if (!plan.allowed) show(plan.refusal, plan.checks);
//   else if (confirm(plan.Describe())) KvJournalUndo::Apply(plan);
//
// An undo writes the entry's "before" values back, but only while the switch
// still holds what the entry wrote: Plan reads the variables first and
// refuses when any has changed since (naming them, with before / written /
// now). The undo of a row's creation destroys the row; the undo of a row's
// deletion creates it again with its recorded values. The undo is itself a
// journaled write naming the entry it undoes, and can be undone in turn.
//
// Plan and Apply use the program's session (the started SNMP engine and the
// switch of KvSNMPDevice) and block for the switch's answers.

// One variable as checked: what the entry recorded and what the switch holds.
struct KvUndoCheck {
    std::string oid;
    std::string label;
    std::string before;   // the entry's "before" ("(none)" for a row that did not exist)
    std::string written;  // the entry's "written" ("(none)" for a row destroyed)
    std::string now;      // the switch's value now ("(none)": no such instance)
    bool changed = false; // differs from what the entry left
};

// One SET of an undo: the variables and the texts written.
struct KvUndoStep {
    struct Variable {
        std::string oid;
        std::string label;
        uint32_t syntax = 0;
        std::string value; // the text shown (the recorded "before")
        std::string wire;  // what is sent (the recorded wire text)
        bool rowStatus = false;
    };
    std::vector<Variable> variables;
    // Columns read along (not written), so that the record of a row's
    // destruction holds the whole row.
    std::vector<Variable> row;
};

struct KvUndoPlan {
    KvJournalEntry entry; // the entry undone
    bool allowed = false;
    std::string refusal; // why not, naming the variables
    std::vector<KvUndoCheck> checks;
    std::vector<KvUndoStep> steps; // in the order they are sent

    // What the undo writes, one line per variable ("label: now -> value"),
    // or the refusal with every changed variable's before / written / now.
    std::string Describe() const;
};

struct KvUndoResult {
    bool ok = false;
    std::string message;          // "Undone." or why not (refused, or the switch's error)
    std::vector<std::string> ids; // the journal entries of the undo's writes
};

namespace KvJournalUndo {

// The plan for undoing entry `id` of `log` (refused when there is no such
// entry, it failed, it is already undone, it belongs to another switch than
// the session's, or the switch no longer holds what it wrote).
KvUndoPlan Plan(const KvJournalLog& log, const std::string& id);
// Checks the switch again and sends the plan's steps (journaled through the
// installed journal, each naming the entry undone). Refuses a plan that is
// not allowed or that the switch no longer matches.
KvUndoResult Apply(const KvUndoPlan& plan);

} // namespace KvJournalUndo
