#include "forms/vlan/tbridgeform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "forms/common/formwidgets.h"
#include "forms/port/tstackingportuitform.h"
#include "pages/tctrlbtnpanel.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

// How often a pending close looks whether the bindings are idle.
constexpr int kCloseTickMs = 20;
// Lines of status text the memo shows without scrolling.
constexpr int kMemoLines = 4;

} // namespace

TBridgeForm::TBridgeForm(QWidget* owner, const KvFormHost& host, const char* objectName, const char* caption)
    : TFormDialog(owner, host, QString::fromUtf8(caption))
{
    setObjectName(objectName);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    client_ = new QVBoxLayout;
    client_->setSpacing(6);
    buttons_ = new QVBoxLayout;
    buttons_->setSpacing(5);
    top->addLayout(client_, 1);
    top->addLayout(buttons_);
    outer->addLayout(top, 1);

    Memo1 = formwidgets::NewStatusMemo(this, "Memo1", 0, Qt::NoFocus);
    const int lineHeight = QFontMetrics(font()).lineSpacing();
    Memo1->setFixedHeight(kMemoLines * lineHeight + 2 * Memo1->frameWidth() + 8);
    outer->addWidget(Memo1);

    closeTimer_ = new QTimer(this);
    closeTimer_->setInterval(kCloseTickMs);
    connect(closeTimer_, &QTimer::timeout, this, [this] { done(closeResult_); });
}

TBridgeForm::~TBridgeForm()
{
    BeginClose();
    // Whatever is still out completes into nothing: the bindings go now.
    AbandonOutstanding();
    bindings_.clear();
    // The handlers of the window's own controls must not run while the
    // controls are being taken apart (a list view reports its rows going).
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    for (QTreeWidget* list : findChildren<QTreeWidget*>())
        list->model()->disconnect(this);
}

KvSNMPRequest2Edits& TBridgeForm::NewBinding(const VarDef* table, uint8_t kind, int32_t keyCount)
{
    auto binding = std::make_unique<KvSNMPRequest2Edits>(this);
    binding->Variables() = KvSNMPVarList(table, kind, keyCount);
    binding->SetStatusTarget(Memo1);
    bindings_.push_back(std::move(binding));
    return *bindings_.back();
}

bool TBridgeForm::AnyBusy() const
{
    return std::any_of(bindings_.begin(), bindings_.end(), [](const auto& b) { return b->busy; });
}

// ---------------------------------------------------------------------------
// Closing

void TBridgeForm::FormClose()
{
    for (auto& binding : bindings_)
        binding->Request().active = false;
}

void TBridgeForm::BeginClose()
{
    if (closing_)
        return;
    closing_ = true;
    closeWaited_.start();
    FormClose();
}

int TBridgeForm::CloseWaitLimitMs() const
{
    // A walk step and a write may both be out, each with all its retries.
    int limit = 0;
    for (const auto& binding : bindings_)
        limit = std::max(limit, RequestTimeMs(binding->Request()));
    return 2 * limit + 1000;
}

void TBridgeForm::AbandonOutstanding()
{
    for (auto& binding : bindings_)
        if (binding->busy)
            binding->Request().AbandonCompletions();
}

void TBridgeForm::done(int result)
{
    BeginClose();
    if (AnyBusy() && closeWaited_.elapsed() < CloseWaitLimitMs()) {
        // Closed once the replies in flight are in (the dialog's loop runs on).
        closeResult_ = result;
        if (!closeTimer_->isActive())
            closeTimer_->start();
        return;
    }
    closeTimer_->stop();
    AbandonOutstanding();
    QDialog::done(result);
}

// ---------------------------------------------------------------------------
// Helpers of the handlers

bool TBridgeForm::Guard(KvSNMPRequest2Controls& binding, const std::function<void()>& step)
{
    return Reporting(step, [&binding](const std::string& message) { binding.ReportStatus(message); });
}

bool TBridgeForm::WhenIdle(KvSNMPRequest2Edits& binding, const std::function<void()>& step)
{
    if (binding.busy) {
        ReportNotComplete(binding, KvSNMPRequest2Controls::kLastGet);
        return false;
    }
    return Guard(binding, step);
}

void TBridgeForm::ReportNotComplete(KvSNMPRequest2Controls& binding, int operation)
{
    // The line names the operation refused; the one running keeps its own.
    const int running = binding.lastOperation;
    binding.lastOperation = operation;
    binding.ReportStatus(kNotComplete);
    binding.lastOperation = running;
}

bool TBridgeForm::WriteWhenIdle(KvSNMPRequest2Edits& binding, const std::function<void()>& step)
{
    if (binding.busy) {
        ReportNotComplete(binding, KvSNMPRequest2Controls::kLastSet);
        return false;
    }
    binding.lastOperation = KvSNMPRequest2Controls::kLastSet;
    return Guard(binding, step);
}

bool TBridgeForm::GuardMemo(const std::function<void()>& step)
{
    return Reporting(step,
                     [this](const std::string& message) { Memo1->appendPlainText(QString::fromStdString(message)); });
}

bool TBridgeForm::GuardGet(KvSNMPRequest2Controls& binding, const std::function<void()>& step)
{
    GetReady() = false;
    if (Guard(binding, step))
        return true;
    GetReady() = true;
    return false;
}

void TBridgeForm::SelectRowByCaption(QTreeWidget* list, const QString& caption, const std::function<void()>& passed)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (item->text(0) == caption) {
            KvListViewActions::SelectOnly(list, item);
            return;
        }
        if (passed)
            passed();
    }
}

void TBridgeForm::ClearPorts(TStackingPortUitForm* grid)
{
    if (!grid)
        return;
    for (int i = 0; i < TStackingPortUitForm::kVisiblePorts; ++i)
        if (QCheckBox* box = grid->CheckBox(i))
            box->setChecked(false);
}

void TBridgeForm::BindGrid(KvSNMPRequest2Edits& binding, int variable, TStackingPortUitForm* grid, int boxes)
{
    if (!grid)
        return;
    binding.BindControlList(variable, TStackingPortUitForm::BitIndexText(boxes), grid->CheckBoxes().mid(0, boxes));
    // A tick in the grid of a read-only value would go nowhere.
    if ((binding.Variables()[variable].access & accWrite) == 0)
        grid->SetDisplayOnly();
}

void TBridgeForm::EnableWhileSelected(QTreeWidget* list, std::initializer_list<QPushButton*> buttons)
{
    const std::vector<QPushButton*> controlled(buttons);
    const auto follow = [list, controlled] {
        const bool selected = KvListViewActions::SelectedRow(list) != nullptr;
        for (QPushButton* button : controlled)
            button->setEnabled(selected);
    };
    connect(list, &QTreeWidget::itemSelectionChanged, list, follow);
    follow();
}

QString TBridgeForm::SelectedCaption(const QTreeWidget* list)
{
    const QTreeWidgetItem* row = KvListViewActions::SelectedRow(list);
    return row ? row->text(0) : QString();
}

// ---------------------------------------------------------------------------
// Building

QPushButton* TBridgeForm::NewButton(const char* name, const char* caption)
{
    QPushButton* button = formwidgets::NewButton(this, name, caption);
    button->setFixedWidth(TCtrlBtnPanel::kButtonWidth);
    buttons_->addWidget(button);
    return button;
}

QLabel* TBridgeForm::NewCounter(const char* name)
{
    buttons_->addWidget(formwidgets::NewButtonCaption(this, nullptr, "Samples"));
    QLabel* counter = formwidgets::NewRowCounter(this, name);
    buttons_->addWidget(counter);
    buttons_->addSpacing(6);
    return counter;
}

void TBridgeForm::FinishButtons()
{
    buttons_->addStretch(1);
}

QLabel* TBridgeForm::AddField(QGridLayout* grid, int row, int pair, const char* label, QWidget* editor)
{
    auto* caption = new QLabel(QString::fromUtf8(label), editor->parentWidget());
    caption->setBuddy(editor);
    grid->addWidget(caption, row, 2 * pair);
    grid->addWidget(editor, row, 2 * pair + 1);
    grid->setColumnStretch(2 * pair + 1, 1);
    return caption;
}

QLineEdit* TBridgeForm::AddEditField(QGridLayout* grid, int row, int pair, const char* label, const char* name)
{
    return Labelled(grid, row, pair, label, formwidgets::NewEdit(grid->parentWidget(), name));
}

QComboBox* TBridgeForm::AddComboField(QGridLayout* grid, int row, int pair, const char* label, const char* name)
{
    return Labelled(grid, row, pair, label, formwidgets::NewCombo(grid->parentWidget(), name));
}

QLabel* TBridgeForm::AddTextField(QGridLayout* grid, int row, int pair, const char* label, const char* name)
{
    return Labelled(grid, row, pair, label, formwidgets::NewStaticText(grid->parentWidget(), name));
}

QGridLayout* TBridgeForm::AddFieldPanel()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    client_->addWidget(panel);
    return grid;
}

QGridLayout* TBridgeForm::AddFieldGrid(QVBoxLayout* column)
{
    auto* grid = new QGridLayout;
    column->addLayout(grid);
    return grid;
}

bool& TBridgeForm::GetReady()
{
    return host_.getReady ? *host_.getReady : ownGetReady_;
}

bool& TBridgeForm::SetReady()
{
    return host_.setReady ? *host_.setReady : ownSetReady_;
}

void TBridgeForm::RequestComplete()
{
    if (host_.requestComplete) {
        host_.requestComplete();
        return;
    }
    ownGetReady_ = true;
    ownSetReady_ = true;
}

QTreeWidget* TBridgeForm::NewListView(QWidget* parent, const char* name)
{
    QTreeWidget* list = formwidgets::NewList(parent, name);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list->setMinimumHeight(90);
    // A row's texts are set after it is added: a cell widens when it changes.
    connect(list->model(), &QAbstractItemModel::dataChanged, list,
            [list](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (!topLeft.parent().isValid())
                    WidenColumns(list, topLeft.row(), bottomRight.row());
            });
    return list;
}

void TBridgeForm::WidenColumns(QTreeWidget* list, int first, int last)
{
    // The binding fits the columns to their captions; a value wider than its
    // caption widens its column (hidden columns, of width 0, stay hidden). The
    // last column takes the rest of the width.
    QHeaderView* header = list->header();
    header->setStretchLastSection(true);
    const QFontMetrics metrics(list->font());
    constexpr int kCellPadding = 12;
    for (int row = first; row <= last; ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        if (!item)
            continue;
        for (int c = 0; c < list->columnCount(); ++c) {
            const int width = header->sectionSize(c);
            if (width == 0)
                continue;
            const int wanted = metrics.horizontalAdvance(item->text(c)) + kCellPadding;
            if (wanted > width)
                header->resizeSection(c, wanted);
        }
    }
}

QSplitter* TBridgeForm::AddSplitter(const char* name)
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    if (name)
        splitter->setObjectName(name);
    splitter->setChildrenCollapsible(false);
    client_->addWidget(splitter);
    return splitter;
}

QVBoxLayout* TBridgeForm::AddDetailColumn(QSplitter* splitter)
{
    auto* column = new QVBoxLayout(new QWidget(splitter));
    column->setContentsMargins(0, 4, 0, 0);
    return column;
}

QGridLayout* TBridgeForm::AddDetailGrid(QSplitter* splitter)
{
    auto* grid = new QGridLayout(new QWidget(splitter));
    grid->setContentsMargins(0, 4, 0, 0);
    return grid;
}

void TBridgeForm::SetSplit(QSplitter* splitter, int listHeight, int detailHeight)
{
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({listHeight, detailHeight});
}

QTabWidget* TBridgeForm::NewPageControl(QWidget* parent)
{
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName("PageControl1");
    return tabs;
}

QGroupBox* TBridgeForm::AddPortGroup(QVBoxLayout* column, const char* caption)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), column->parentWidget());
    group->setObjectName("GroupBox1");
    column->addWidget(group, 1);
    return group;
}

void TBridgeForm::AddGridTabs(QTabWidget* tabs,
                              std::initializer_list<std::pair<const char*, TStackingPortUitForm**>> grids, int count,
                              int perRow)
{
    GuardMemo([&] {
        for (const auto& [caption, grid] : grids) {
            auto* panel = new QWidget;
            panel->setObjectName(QStringLiteral("ScrollBox%1").arg(tabs->count() + 1));
            tabs->addTab(panel, QString::fromUtf8(caption));
            *grid = NewGrid(panel, count, perRow);
        }
    });
}

TStackingPortUitForm* TBridgeForm::NewGrid(QWidget* panel, int count, int perRow)
{
    TStackingPortUitForm* grid = TStackingPortUitForm::BuildIn(panel, "Unit1", count, perRow);
    // Room for every visible box, so that the grid never needs its scroll bars
    // at the window's own size.
    QRect shown;
    for (QWidget* box : grid->CheckBoxes())
        if (!box->isHidden())
            shown |= box->geometry();
    grid->setMinimumSize(shown.right() + 8, shown.bottom() + 8);
    return grid;
}
