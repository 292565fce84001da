#include "forms/vlan/tbridgeform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

#include "binding/kvsnmprequest2edits.h"
#include "forms/port/tstackingportuitform.h"
#include "snmp/kvsnmpvarlist.h"

namespace {

// How often a pending close looks whether the bindings are idle.
constexpr int kCloseTickMs = 20;
// Lines of status text the memo shows without scrolling.
constexpr int kMemoLines = 4;

} // namespace

TBridgeForm::TBridgeForm(QWidget* owner, const KvFormHost& host, const char* objectName,
                         const char* caption)
    : QDialog(owner), host_(host)
{
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    QFont formFont = font();
    formFont.setPointSize(kFontPointSize);
    setFont(formFont);

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

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int lineHeight = QFontMetrics(formFont).lineSpacing();
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
    for (const auto& binding : bindings_) {
        const KvSNMPRequest& r = binding->Request();
        limit = std::max(limit, std::max(0, r.timeout) * 10 * (std::max(0, r.retries) + 1));
    }
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
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        binding.ReportStatus(e.what());
        return false;
    }
}

void TBridgeForm::ShowCount(QLabel* counter, const QTreeWidget* list)
{
    if (counter && list)
        counter->setText(QString::number(list->topLevelItemCount()));
}

std::vector<uint32_t> TBridgeForm::SaveFlags(const KvSNMPVarList& variables)
{
    std::vector<uint32_t> saved;
    for (int i = 0; i < variables.Count(); ++i)
        saved.push_back(variables[i].access);
    return saved;
}

void TBridgeForm::RestoreFlags(KvSNMPVarList& variables, const std::vector<uint32_t>& saved)
{
    for (int i = 0; i < variables.Count() && i < static_cast<int>(saved.size()); ++i)
        variables[i].access = saved[static_cast<size_t>(i)];
}

void TBridgeForm::SkipVariables(KvSNMPVarList& variables, std::initializer_list<int> indexes)
{
    for (int i : indexes)
        if (i >= 0 && i < variables.Count())
            variables[i].access |= accSkip;
}

void TBridgeForm::SelectRowByCaption(QTreeWidget* list, const QString& caption,
                                     const std::function<void()>& passed)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (item->text(0) == caption) {
            list->setCurrentItem(item);
            item->setSelected(true);
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

QString TBridgeForm::SelectedCaption(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

// ---------------------------------------------------------------------------
// Building

QPushButton* TBridgeForm::NewButton(const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFixedWidth(kButtonWidth);
    buttons_->addWidget(button);
    return button;
}

QLabel* TBridgeForm::NewCounter(const char* name)
{
    auto* samples = new QLabel(QStringLiteral("Samples"), this);
    samples->setAlignment(Qt::AlignCenter);
    samples->setFixedWidth(kButtonWidth);
    buttons_->addWidget(samples);
    auto* counter = new QLabel(QStringLiteral("0"), this);
    counter->setObjectName(name);
    counter->setAlignment(Qt::AlignCenter);
    counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    counter->setFixedWidth(kButtonWidth);
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
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
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

QLabel* TBridgeForm::NewStaticText(QWidget* parent, const char* name)
{
    auto* text = new QLabel(parent);
    text->setObjectName(name);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setMinimumWidth(120);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
}

QLineEdit* TBridgeForm::NewEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(120);
    return edit;
}

QComboBox* TBridgeForm::NewCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setMinimumWidth(120);
    return combo;
}

TStackingPortUitForm* TBridgeForm::NewGrid(QWidget* panel, int count, int perRow)
{
    TStackingPortUitForm* grid = TStackingPortUitForm::HostIn(panel);
    grid->Build("Unit1", 1, count, perRow);
    // Room for every visible box, so that the grid never needs its scroll bars
    // at the window's own size.
    QRect shown;
    for (QWidget* box : grid->CheckBoxes())
        if (!box->isHidden())
            shown |= box->geometry();
    grid->setMinimumSize(shown.right() + 8, shown.bottom() + 8);
    return grid;
}

TStackingPortUitForm* TBridgeForm::AddGridTab(QTabWidget* tabs, const char* caption,
                                              const char* scrollBoxName, int count, int perRow)
{
    auto* panel = new QWidget;
    panel->setObjectName(scrollBoxName);
    tabs->addTab(panel, QString::fromUtf8(caption));
    return NewGrid(panel, count, perRow);
}
