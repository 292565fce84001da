#pragma once
#include "pages/tsnmppanel.h"
#include "pages/uientry.h"

class KvSNMPRequest2Edits;
class TPanelContainer;

// The page panel of an editor page: one row of check box, label and editor
// per scalar variable.
class TSNMPEditorPanel : public TSNMPPanel {
public:
    explicit TSNMPEditorPanel(QWidget* owner);

    // Creates the content (controls, layout, registration with the binding),
    // hides Stop, shows the check buttons the table calls for (none when
    // every entry is read-only, Set Check alone for one writable entry, all
    // three for more) and computes the content size: layout extent plus bar
    // width plus 40 across, layout extent plus message panel plus 60 down.
    virtual void BuildPage(UIEntry* table, KvSNMPRequest2Edits* binding);

    TPanelContainer* Container() const { return container_; }

private:
    TPanelContainer* container_ = nullptr;
};
