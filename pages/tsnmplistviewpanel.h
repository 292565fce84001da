#pragma once
#include "pages/tsnmppanel.h"
#include "pages/uientry.h"

class KvSNMPRequest2Edits;
class QTreeWidget;
class TPanelListViewContainer;

// The page panel of a list-view page: the table in a list view, the editors
// in the hidden editor box for the row dialogs.
class TSNMPListViewPanel : public TSNMPPanel {
public:
    explicit TSNMPListViewPanel(QWidget* owner);

    // Creates the list-view content over the table and the binding, lays the
    // editors out (twice: the labels get the range hints of their constraint
    // texts in between) into the editor box, hides Set Check, Check All,
    // Clear Checks and Stop, hides Set (Edit) unless some column can be
    // written, and computes the content size: 8 pixels per label character
    // plus bar width plus 40 across, layout extent plus message panel plus 60
    // down.
    virtual void BuildPage(UIEntry* table, KvSNMPRequest2Edits* binding);

    TPanelListViewContainer* Container() const { return container_; }
    QTreeWidget* ListView() const { return listView_; }

    static constexpr int kPixelsPerLabelChar = 8;

private:
    void MoveEditorsIntoBox();

    TPanelListViewContainer* container_ = nullptr;
    QTreeWidget* listView_ = nullptr;
};
