#pragma once
#include <QDialog>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pages/pagerowops.h"
#include "pages/uientry.h"

class KvSNMPRequest2Controls;
class KvSNMPRequest2Edits;
class TPanelContainer;
class TSNMPLayoutAdapter;
class TSNMPListViewPanel;
class TSNMPPanel;

// The window behind almost every page of the main menu: an editor page (one
// row of write check box, label and editor per scalar variable) or a list-view
// page (the table in a list view, rows edited, added and deleted in a row
// dialog).
//
// A menu command creates the window with the page title and the switch
// address (the caption is "title : address"), creates a binding on it, loads
// the page's variable list into the binding's request, and calls exactly one
// builder; the window then owns the binding. A second builder call raises
// "Can not change Type of a Config Form!" and changes nothing. After the
// builder the command may adjust the window (size, editors of Entries()),
// shows it modally and frees it.
//
// The first activation starts the first fetch; later activations (returning
// from a row dialog or a message box) fetch nothing. Closing the window stops
// a walk in progress, waits until every binding's outstanding request has
// completed or timed out, and then frees the bindings; the controls go with
// the window.
class TConfigForm : public QDialog {
public:
    static constexpr const char* kTypeChange = "Can not change Type of a Config Form!";
    static constexpr int kDefaultWidth = 364;
    static constexpr int kDefaultHeight = 317;
    static constexpr int kMaxWidth = 800;
    static constexpr int kMaxHeight = 550;
    static constexpr int kFontPointSize = 8;

    // 0 none (after construction), 1 editor page, 2 list-view page.
    static constexpr int kPageNone = 0;
    static constexpr int kPageEditor = 1;
    static constexpr int kPageListView = 2;

    TConfigForm(QWidget* owner, const std::string& pageTitle, const std::string& agentAddress);
    ~TConfigForm() override;

    // --- the four builders -----------------------------------------------------
    void SetEditorPage(std::unique_ptr<KvSNMPRequest2Edits> binding, const UIEntryDef* table);
    void SetEditorPageFromList(std::unique_ptr<KvSNMPRequest2Edits> binding);
    // A null create text hides Add, a null delete text Delete; create mode
    // 0 writes a new row in one request, 1 in two (index columns and row
    // status first, then the other checked columns).
    void SetListViewPage(std::unique_ptr<KvSNMPRequest2Edits> binding, const UIEntryDef* table,
                         const PageRowOps& rowOps);
    void SetListViewPageFromList(std::unique_ptr<KvSNMPRequest2Edits> binding, const PageRowOps& rowOps);

    // Shows the Stop button of a list-view page's bar.
    void ShowStopButton();

    // A further binding the window owns and stops on close.
    void AddBinding(std::unique_ptr<KvSNMPRequest2Controls> binding);

    // --- state -----------------------------------------------------------------
    int PageKind() const { return pageKind_; }
    // The page's layout table (ends with the end entry); its entries give the
    // created editors.
    UIEntryTable& Entries() { return entries_; }
    KvSNMPRequest2Edits* MainBinding() const { return mainBinding_; }
    TSNMPPanel* PagePanel() const { return pagePanel_; }
    TSNMPListViewPanel* ListViewPanel() const { return listViewPanel_; }
    TSNMPLayoutAdapter* Adapter() const;
    bool Activated() const { return activated_; }
    bool Closed() const { return closed_; }

    // --- handlers ----------------------------------------------------------------
    void FormCreate();
    void FormActivate();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Esc and a programmatic accept or reject close the page as well.
    void done(int result) override;

private:
    // Common steps 1-3: refuses a second builder, sets the kind, takes the
    // table; returns the runtime table to build on.
    void BeginBuilder(int kind, KvSNMPRequest2Edits* binding, const UIEntryDef* table);
    void BuildEditorPage(std::unique_ptr<KvSNMPRequest2Edits> binding);
    void BuildListViewPage(std::unique_ptr<KvSNMPRequest2Edits> binding, const PageRowOps& rowOps);
    void SizeToContent();
    TPanelContainer* Container() const;

    int pageKind_ = kPageNone;
    std::vector<std::unique_ptr<KvSNMPRequest2Controls>> bindings_;
    KvSNMPRequest2Edits* mainBinding_ = nullptr;
    UIEntryTable entries_;
    TSNMPPanel* pagePanel_ = nullptr;
    TSNMPListViewPanel* listViewPanel_ = nullptr;
    bool activated_ = false;
    bool closed_ = false;
};
