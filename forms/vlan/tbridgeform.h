#pragma once
#include <QElapsedTimer>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/common/tformdialog.h"

class KvSNMPRequest2Controls;
class KvSNMPRequest2Edits;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTimer;
class QVBoxLayout;
class TStackingPortUitForm;
struct VarDef;

// The frame every VLAN and bridge window is built on: a form window with a
// client area on the left, a button panel on the right and the read-only
// memo Memo1 along the bottom, into which its bindings write their status
// lines.
//
// The window owns its bindings. Closing it clears the active flag of every
// request (FormClose), so that a walk in progress sends nothing more, and
// lets the window close only once no binding is busy: the reply in flight
// comes in first (at most a request's timeouts and retries). The wait runs in
// the dialog's own event loop, never in a loop of its own, so a close that
// arrives while a binding is handling a row cannot wait for itself.
class TBridgeForm : public TFormDialog {
public:
    // The port grid most of these windows show: 32 boxes (26 visible), 13 to
    // a row.
    static constexpr int kGridBoxes = 32;
    static constexpr int kGridPerRow = 13;

    TBridgeForm(QWidget* owner, const KvFormHost& host, const char* objectName, const char* caption);
    ~TBridgeForm() override;

    // The bindings in creation order.
    const std::vector<std::unique_ptr<KvSNMPRequest2Edits>>& Bindings() const { return bindings_; }
    bool AnyBusy() const;
    // True once closing has begun.
    bool Closing() const { return closing_; }

    QPlainTextEdit* Memo1 = nullptr;

    // Runs `step`; an error it raises is written through `binding`'s status
    // line. False when it failed.
    static bool Guard(KvSNMPRequest2Controls& binding, const std::function<void()>& step);
    // What a refresh or write pressed while a flow runs is answered with.
    static constexpr const char* kNotComplete = "Refresh not complete";

    // Guard, unless a flow is still running on `binding`: then nothing but
    // a status line kNotComplete (false).
    static bool WhenIdle(KvSNMPRequest2Edits& binding, const std::function<void()>& step);
    // The same for a write: the binding's last operation is the write (a
    // binding with nothing to write writes nothing: its Store skips it).
    static bool WriteWhenIdle(KvSNMPRequest2Edits& binding, const std::function<void()>& step);
    // The status line kNotComplete of a refresh (kLastGet) or a write
    // (kLastSet) refused while `binding` is busy.
    static void ReportNotComplete(KvSNMPRequest2Controls& binding, int operation);

    // Selects the first list row whose caption is `caption` and stops there;
    // `passed` runs for every row before it (all rows when none matches).
    static void SelectRowByCaption(QTreeWidget* list, const QString& caption, const std::function<void()>& passed);
    // `buttons` are enabled only while `list` has a selected row (a write of
    // a table row that none names has nothing to write to).
    static void EnableWhileSelected(QTreeWidget* list, std::initializer_list<QPushButton*> buttons);
    // The caption of the selected list row, or an empty text.
    static QString SelectedCaption(const QTreeWidget* list);
    // Widens the columns of `list` to the texts of rows first..last.
    static void WidenColumns(QTreeWidget* list, int first, int last);
    // Unticks the visible boxes (ports 1 to 26) of a grid.
    static void ClearPorts(TStackingPortUitForm* grid);
    // Binds the first `boxes` check boxes of `grid` to port list `variable`
    // (bits 0..boxes-1); nothing without a grid. The grid of a read-only
    // value is display-only.
    static void BindGrid(KvSNMPRequest2Edits& binding, int variable, TStackingPortUitForm* grid,
                         int boxes = kGridBoxes);

protected:
    // A binding on this window over `table`, with Memo1 as its status target.
    KvSNMPRequest2Edits& NewBinding(const VarDef* table, uint8_t kind, int32_t keyCount);

    // The window's close step: clears the active flag of every request.
    virtual void FormClose();

    // Runs `step`; an error it raises goes into Memo1 (for what is built
    // before there is a binding). False when it failed.
    bool GuardMemo(const std::function<void()>& step);

    // --- building the window -------------------------------------------------
    QVBoxLayout* ClientLayout() const { return client_; }
    QPushButton* NewButton(const char* name, const char* caption);
    // "Samples" and the sunken row counter under it, in the button panel.
    QLabel* NewCounter(const char* name);
    QTreeWidget* NewListView(QWidget* parent, const char* name);
    // A vertical splitter filling the client area, for a list view above and
    // the selected row's details below; `name` may be null.
    QSplitter* AddSplitter(const char* name = nullptr);
    // The pane below the list: a column or a grid, 4 pixels below the list.
    static QVBoxLayout* AddDetailColumn(QSplitter* splitter);
    static QGridLayout* AddDetailGrid(QSplitter* splitter);
    // The splitter's first heights; the list takes what the window grows by.
    static void SetSplit(QSplitter* splitter, int listHeight, int detailHeight);
    // The tab control "PageControl1" of the port grids.
    static QTabWidget* NewPageControl(QWidget* parent);
    // The group box "GroupBox1" with the caption of its port grid, taking
    // the column's spare height.
    static QGroupBox* AddPortGroup(QVBoxLayout* column, const char* caption);
    // Port grids of `count` boxes, `perRow` to a row, on new tabs of `tabs`,
    // one per (caption, grid) pair, in panels ScrollBox1, ScrollBox2, ...
    // (numbered by tab); an error building them goes into Memo1
    // and leaves the rest of the grids null.
    void AddGridTabs(QTabWidget* tabs, std::initializer_list<std::pair<const char*, TStackingPortUitForm**>> grids,
                     int count = kGridBoxes, int perRow = kGridPerRow);
    // A port grid in `panel` (a group box or a tab's panel).
    TStackingPortUitForm* NewGrid(QWidget* panel, int count = kGridBoxes, int perRow = kGridPerRow);
    // Ends the button panel (the buttons stay at its top).
    void FinishButtons();
    // A label and its editor in cells (row, 2 x pair) and (row, 2 x pair + 1).
    static QLabel* AddField(QGridLayout* grid, int row, int pair, const char* label, QWidget* editor);
    // The same with a new editor `name` on the grid's widget: a line edit, a
    // combo box, a sunken text.
    static QLineEdit* AddEditField(QGridLayout* grid, int row, int pair, const char* label, const char* name);
    static QComboBox* AddComboField(QGridLayout* grid, int row, int pair, const char* label, const char* name);
    static QLabel* AddTextField(QGridLayout* grid, int row, int pair, const char* label, const char* name);
    // A new grid of fields below what `column` holds.
    static QGridLayout* AddFieldGrid(QVBoxLayout* column);
    // A grid of fields filling the client area (a window of settings).
    QGridLayout* AddFieldPanel();

    // The auxiliary window's ready flags (the window's own when the host has
    // none) and the completion handler that raises both.
    bool& GetReady();
    bool& SetReady();
    void RequestComplete();
    // Clears the get-ready flag and runs `step` under Guard; the flag is
    // raised again when it failed (its completion raises it otherwise).
    bool GuardGet(KvSNMPRequest2Controls& binding, const std::function<void()>& step);

    void done(int result) override;

private:
    template <class Editor>
    static Editor* Labelled(QGridLayout* grid, int row, int pair, const char* label, Editor* editor)
    {
        AddField(grid, row, pair, label, editor);
        return editor;
    }

    void BeginClose();
    void AbandonOutstanding();
    int CloseWaitLimitMs() const;

    std::vector<std::unique_ptr<KvSNMPRequest2Edits>> bindings_;
    QVBoxLayout* client_ = nullptr;
    QVBoxLayout* buttons_ = nullptr;
    QTimer* closeTimer_ = nullptr;
    QElapsedTimer closeWaited_;
    int closeResult_ = 0;
    bool closing_ = false;
    bool ownGetReady_ = false;
    bool ownSetReady_ = false;
};
