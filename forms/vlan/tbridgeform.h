#pragma once
#include <QAbstractItemModel>
#include <QDialog>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "forms/kvformhost.h"

class KvSNMPRequest2Controls;
class KvSNMPRequest2Edits;
class KvSNMPVarList;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QVBoxLayout;
class TStackingPortUitForm;
struct VarDef;

// The frame every VLAN and bridge window is built on: an 8-point modal
// dialog with a client area on the left, a button panel on the right and the
// read-only memo Memo1 along the bottom, into which its bindings write their
// status lines.
//
// The window owns its bindings. Closing it clears the active flag of every
// request (FormClose), so that a walk in progress sends nothing more, and
// lets the window close only once no binding is busy: the reply in flight
// comes in first (at most a request's timeouts and retries). The wait runs in
// the dialog's own event loop, never in a loop of its own, so a close that
// arrives while a binding is handling a row cannot wait for itself.
class TBridgeForm : public QDialog {
public:
    static constexpr int kFontPointSize = 8;
    static constexpr int kButtonWidth = 96;

    TBridgeForm(QWidget* owner, const KvFormHost& host, const char* objectName, const char* caption);
    ~TBridgeForm() override;

    const KvFormHost& Host() const { return host_; }
    // The bindings in creation order.
    const std::vector<std::unique_ptr<KvSNMPRequest2Edits>>& Bindings() const { return bindings_; }
    bool AnyBusy() const;
    // True once closing has begun.
    bool Closing() const { return closing_; }

    QPlainTextEdit* Memo1 = nullptr;

    // Runs `step`; an error it raises is written through `binding`'s status
    // line. False when it failed.
    static bool Guard(KvSNMPRequest2Controls& binding, const std::function<void()>& step);

    // The number of list rows into a counter.
    static void ShowCount(QLabel* counter, const QTreeWidget* list);

    // Column selection for a write: the access flags are saved, the skip flag
    // is added to some variables, and the saved flags come back.
    static std::vector<uint32_t> SaveFlags(const KvSNMPVarList& variables);
    static void RestoreFlags(KvSNMPVarList& variables, const std::vector<uint32_t>& saved);
    static void SkipVariables(KvSNMPVarList& variables, std::initializer_list<int> indexes);

    // Selects the first list row whose caption is `caption` and stops there;
    // `passed` runs for every row before it (all rows when none matches).
    static void SelectRowByCaption(QTreeWidget* list, const QString& caption,
                                   const std::function<void()>& passed);
    // The caption of the selected list row, or an empty text.
    static QString SelectedCaption(const QTreeWidget* list);
    // Widens the columns of `list` to the texts of rows first..last.
    static void WidenColumns(QTreeWidget* list, int first, int last);
    // Unticks the visible boxes (ports 1 to 26) of a grid.
    static void ClearPorts(TStackingPortUitForm* grid);

protected:
    // A binding on this window over `table`, with Memo1 as its status target.
    KvSNMPRequest2Edits& NewBinding(const VarDef* table, uint8_t kind, int32_t keyCount);

    // The window's close step: clears the active flag of every request.
    virtual void FormClose();

    // --- building the window -------------------------------------------------
    QVBoxLayout* ClientLayout() const { return client_; }
    QVBoxLayout* ButtonLayout() const { return buttons_; }
    QPushButton* NewButton(const char* name, const char* caption);
    // "Samples" and the sunken row counter under it, in the button panel.
    QLabel* NewCounter(const char* name);
    QTreeWidget* NewListView(QWidget* parent, const char* name);
    QLabel* NewStaticText(QWidget* parent, const char* name);
    QLineEdit* NewEdit(QWidget* parent, const char* name);
    QComboBox* NewCombo(QWidget* parent, const char* name);
    // A tab holding a panel `scrollBoxName` with a port grid of `count`
    // boxes, `perRow` to a row.
    TStackingPortUitForm* AddGridTab(QTabWidget* tabs, const char* caption, const char* scrollBoxName,
                                     int count, int perRow);
    // A port grid in `panel` (a group box or a tab's panel).
    TStackingPortUitForm* NewGrid(QWidget* panel, int count, int perRow);
    // Ends the button panel (the buttons stay at its top).
    void FinishButtons();
    // A label and its editor in cells (row, 2 x pair) and (row, 2 x pair + 1).
    static QLabel* AddField(QGridLayout* grid, int row, int pair, const char* label, QWidget* editor);
    // `handler` runs whenever rows come into or go out of the list.
    template <class Form>
    void ConnectRowChanges(QTreeWidget* list, void (Form::*handler)());

    // The auxiliary window's ready flags (the window's own when the host has
    // none) and the completion handler that raises both.
    bool& GetReady();
    bool& SetReady();
    void RequestComplete();

    void done(int result) override;

private:
    void BeginClose();
    void AbandonOutstanding();
    int CloseWaitLimitMs() const;

    KvFormHost host_;
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

template <class Form>
void TBridgeForm::ConnectRowChanges(QTreeWidget* list, void (Form::*handler)())
{
    Form* form = static_cast<Form*>(this);
    QAbstractItemModel* rows = list->model();
    connect(rows, &QAbstractItemModel::rowsInserted, form, handler);
    connect(rows, &QAbstractItemModel::rowsRemoved, form, handler);
    connect(rows, &QAbstractItemModel::modelReset, form, handler);
}
