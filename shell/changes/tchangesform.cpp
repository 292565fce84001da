#include "shell/changes/tchangesform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "binding/kvlistrow.h"
#include "binding/kvlistviewactions.h"
#include "journal/kvjournalundo.h"
#include "platform/kvmessagebox.h"
#include "snmp/kvsnmpsession.h"

namespace {

// clang-format off
struct ColumnDef {
    const char* caption;
    int width;    // at least
    int widest;   // at most, whatever the texts (a tooltip holds the rest)
};
constexpr ColumnDef kColumns[] = {
    {"Entry",      60,  90},
    {"Time",      140, 160},
    {"Page",      140, 240},
    {"Kind",       70, 200},
    {"Variables", 140, 260},
    {"Before",     80, 200},
    {"Written",    80, 200},
    {"Result",    120, 320},
};
constexpr ColumnDef kDetailColumns[] = {
    {"OID",       220, 420},
    {"Variable",  140, 300},
    {"Before",    120, 360},
    {"Written",   120, 360},
};
// clang-format on
static_assert(std::size(kColumns) == TChangesForm::ColumnCount);
static_assert(std::size(kDetailColumns) == TChangesForm::DetailCount);

// Warnings named under the list; the rest are counted.
constexpr size_t kWarningsShown = 5;

const char* const kNone = "(none)";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The entry's time (UTC in the file) as local time.
QString LocalTime(const std::string& utc)
{
    const QDateTime time = QDateTime::fromString(Q(utc), Qt::ISODate);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : Q(utc);
}

QString BeforeText(const KvWriteRecordVariable& v)
{
    return v.absent ? QLatin1String(kNone) : Q(v.before);
}

QString Joined(const std::vector<KvWriteRecordVariable>& variables, QString (*text)(const KvWriteRecordVariable&))
{
    QStringList parts;
    for (const KvWriteRecordVariable& v : variables)
        parts << text(v);
    return parts.join(QStringLiteral("; "));
}

QString ResultText(const KvJournalEntry& entry)
{
    QString text = Q(entry.result);
    if (entry.Undone())
        text += QStringLiteral("; undone by %1").arg(Q(entry.undoneBy));
    return text;
}

QTreeWidget* MakeList(QWidget* owner, const char* name, const QString& accessible, const ColumnDef* columns, int count)
{
    auto* list = new QTreeWidget(owner);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessible);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << QLatin1String(columns[i].caption);
    list->setHeaderLabels(captions);
    for (int i = 0; i < count; ++i)
        list->setColumnWidth(i, columns[i].width);
    KvListViewActions::Install(list);
    return list;
}

// Each column as wide as its texts, within its bounds.
std::vector<int> MeasureColumns(QTreeWidget* list, const ColumnDef* columns, int count)
{
    // Measured, not resized: a width given to the last column would stay its
    // least once it is stretched.
    const QAbstractItemView* view = list;
    std::vector<int> wanted(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int text = std::max(view->sizeHintForColumn(i), list->header()->sectionSizeHint(i));
        wanted[i] = std::clamp(text + 12, columns[i].width, columns[i].widest);
    }
    return wanted;
}

// The measured widths, all within the list's width: when the texts need more,
// the widest of the other columns give way first (never below their least
// width; a tooltip holds the rest), so that the last one (the result), which
// takes the room left, stays in sight whole.
void SpreadColumns(QTreeWidget* list, const ColumnDef* columns, int count, const std::vector<int>& wanted)
{
    if (wanted.size() != static_cast<size_t>(count))
        return;
    const int last = count - 1;
    int least = wanted[last];
    for (int i = 0; i < last; ++i)
        least += columns[i].width;
    const int room = std::max(list->viewport()->width(), least);
    auto total = [&](int cap) {
        int sum = wanted[last];
        for (int i = 0; i < last; ++i)
            sum += std::max(columns[i].width, std::min(wanted[i], cap));
        return sum;
    };
    // The largest width any column may take so that all fit.
    int cap = *std::max_element(wanted.begin(), wanted.end());
    for (int low = 0; low < cap;) {
        const int middle = (low + cap + 1) / 2;
        if (total(middle) <= room)
            low = middle;
        else
            cap = middle - 1;
    }
    for (int i = 0; i < last; ++i)
        list->setColumnWidth(i, std::max(columns[i].width, std::min(wanted[i], cap)));
}

// The wait cursor while a blocking call runs, shown before it starts.
class WaitCursor {
public:
    WaitCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TChangesForm::TChangesForm(const KvJournal* journal, QWidget* owner) : QWidget(owner, Qt::Window), journal_(journal)
{
    setObjectName(QStringLiteral("ChangesForm"));
    setWindowTitle(QLatin1String(kCaption));
    auto* layout = new QVBoxLayout(this);

    list_ = MakeList(this, "ChangeList", QStringLiteral("Changes"), kColumns, ColumnCount);
    list_->header()->setStretchLastSection(true);
    details_ = MakeList(this, "ChangeDetails", QStringLiteral("Variables of the entry"), kDetailColumns, DetailCount);
    details_->header()->setStretchLastSection(true);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(list_);
    splitter->addWidget(details_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("ChangeStatus"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statusLine_);

    auto* buttons = new QHBoxLayout;
    undo_ = new QPushButton(QStringLiteral("&Undo..."), this);
    undo_->setObjectName(QStringLiteral("UndoBtn"));
    undo_->setToolTip(QStringLiteral("Write the selected entry's \"before\" values back"));
    refresh_ = new QPushButton(QStringLiteral("&Refresh"), this);
    refresh_->setObjectName(QStringLiteral("RefreshBtn"));
    close_ = new QPushButton(QStringLiteral("&Close"), this);
    close_->setObjectName(QStringLiteral("CloseBtn"));
    buttons->addWidget(undo_);
    buttons->addStretch(1);
    buttons->addWidget(refresh_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        ShowDetails();
        UpdateButtons();
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { ShowDetails(); });
    connect(undo_, &QPushButton::clicked, this, &TChangesForm::UndoSelected);
    connect(refresh_, &QPushButton::clicked, this, &TChangesForm::Reload);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    // Writes made while the window is open (by any window or program) show
    // without Refresh: the file and its folder are watched, and a burst of
    // changes is read once. An undo in progress reads the file when it ends.
    watcher_ = new QFileSystemWatcher(this);
    reloadSoon_ = new QTimer(this);
    reloadSoon_->setSingleShot(true);
    reloadSoon_->setInterval(200);
    connect(reloadSoon_, &QTimer::timeout, this, &TChangesForm::Reload);
    connect(watcher_, &QFileSystemWatcher::fileChanged, reloadSoon_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, reloadSoon_, qOverload<>(&QTimer::start));

    // The columns are spread again over the width a list gets.
    list_->viewport()->installEventFilter(this);
    details_->viewport()->installEventFilter(this);

    resize(1200, 560);
    Reload();
}

bool TChangesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == list_->viewport())
            SpreadColumns(list_, kColumns, ColumnCount, listWidths_);
        else if (watched == details_->viewport())
            SpreadColumns(details_, kDetailColumns, DetailCount, detailWidths_);
    }
    return QWidget::eventFilter(watched, event);
}

void TChangesForm::Watch()
{
    if (!journal_)
        return;
    // A path that does not exist yet is not watched; the folder and the file
    // are added as they appear (and again after a file is replaced).
    const QString folder = Q(journal_->Directory());
    const QString file = Q(journal_->FileOf(KvSNMPDevice.address, KvSNMPDevice.port));
    for (const QString& path : {folder, file})
        if (!watcher_->files().contains(path) && !watcher_->directories().contains(path) && QFileInfo::exists(path))
            watcher_->addPath(path);
}

TChangesForm* TChangesForm::ShowFor(QWidget* owner)
{
    auto* form = owner->findChild<TChangesForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new TChangesForm(dynamic_cast<const KvJournal*>(KvWriteJournal::Installed()), owner);
        form->setAttribute(Qt::WA_DeleteOnClose);
        if (!KvSNMPDevice.address.empty())
            form->setWindowTitle(QStringLiteral("%1 : %2").arg(QLatin1String(kCaption), Q(KvSNMPDevice.address)));
    } else if (!form->busy_) {
        form->Reload();
    }
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void TChangesForm::Reload()
{
    if (busy_)
        return;
    const std::string selected = SelectedId();
    log_ = journal_ ? journal_->Read(KvSNMPDevice.address, KvSNMPDevice.port) : KvJournalLog{};

    list_->setUpdatesEnabled(false);
    list_->clear();
    QList<QTreeWidgetItem*> rows;
    for (auto it = log_.entries.rbegin(); it != log_.entries.rend(); ++it) {
        const KvJournalEntry& e = *it;
        auto* row = new KvListRow;
        row->setData(ColumnId, Qt::UserRole, Q(e.id));
        const QString cells[ColumnCount] = {
            Q(e.id),
            LocalTime(e.time),
            Q(e.write.caption),
            Q(e.KindText()),
            Joined(e.write.variables, [](const KvWriteRecordVariable& v) { return Q(v.label); }),
            Joined(e.write.variables, BeforeText),
            Joined(e.write.variables, [](const KvWriteRecordVariable& v) { return Q(v.written); }),
            ResultText(e),
        };
        for (int c = 0; c < ColumnCount; ++c) {
            KvListRow::SetCell(*row, c, cells[c].toStdString());
            row->setToolTip(c, cells[c]);
        }
        row->setToolTip(ColumnTime, Q(e.time));
        if (e.outcome == KvJournalEntry::Outcome::Unknown)
            row->setToolTip(ColumnResult, QStringLiteral("No outcome was recorded: the program ended while the write "
                                                         "was out, or its outcome could not be kept."));
        if (e.Undone() || e.outcome == KvJournalEntry::Outcome::Failed) {
            // Out of force: greyed.
            for (int c = 0; c < ColumnCount; ++c)
                row->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        rows << row;
    }
    list_->addTopLevelItems(rows);
    listWidths_ = MeasureColumns(list_, kColumns, ColumnCount);
    SpreadColumns(list_, kColumns, ColumnCount, listWidths_);
    list_->setUpdatesEnabled(true);

    QString status;
    if (!journal_)
        status = QStringLiteral("No change journal is open: writes are not recorded.");
    else if (!log_.error.empty())
        status = QStringLiteral("The change journal cannot be read: %1").arg(Q(log_.error));
    else
        status = QStringLiteral("%1 %2 in %3")
                     .arg(log_.entries.size())
                     .arg(log_.entries.size() == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                          Q(journal_->FileOf(KvSNMPDevice.address, KvSNMPDevice.port)));
    if (!log_.warnings.empty()) {
        status += QStringLiteral("\n%1 %2 could not be read and %3 skipped:")
                      .arg(log_.warnings.size())
                      .arg(log_.warnings.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                           log_.warnings.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
        for (size_t i = 0; i < log_.warnings.size() && i < kWarningsShown; ++i)
            status += QLatin1Char('\n') + Q(log_.warnings[i]);
        if (log_.warnings.size() > kWarningsShown)
            status += QStringLiteral("\n(and %1 more)").arg(log_.warnings.size() - kWarningsShown);
    }
    statusLine_->setText(status);

    Select(selected);
    if (!list_->currentItem() && list_->topLevelItemCount() > 0)
        Select(list_->topLevelItem(0)->data(ColumnId, Qt::UserRole).toString().toStdString());
    ShowDetails();
    UpdateButtons();
    Watch();
}

std::string TChangesForm::SelectedId() const
{
    const QTreeWidgetItem* row = list_->currentItem();
    return row ? row->data(ColumnId, Qt::UserRole).toString().toStdString() : std::string();
}

void TChangesForm::Select(const std::string& id)
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        if (row->data(ColumnId, Qt::UserRole).toString().toStdString() == id) {
            KvListViewActions::SelectOnly(list_, row);
            list_->setCurrentItem(row);
            list_->scrollToItem(row);
            return;
        }
    }
}

void TChangesForm::ShowDetails()
{
    details_->clear();
    const KvJournalEntry* entry = log_.Find(SelectedId());
    if (!entry)
        return;
    QList<QTreeWidgetItem*> rows;
    auto add = [&](const KvWriteRecordVariable& v, const QString& written) {
        auto* row = new KvListRow;
        const QString cells[DetailCount] = {Q(v.oid), Q(v.label), BeforeText(v), written};
        for (int c = 0; c < DetailCount; ++c) {
            KvListRow::SetCell(*row, c, cells[c].toStdString());
            row->setToolTip(c, cells[c]);
        }
        rows << row;
    };
    for (const KvWriteRecordVariable& v : entry->write.variables)
        add(v, Q(v.written));
    // A deleted row: its other columns as they were.
    for (const KvWriteRecordVariable& v : entry->write.row) {
        const bool sent = std::any_of(entry->write.variables.begin(), entry->write.variables.end(),
                                      [&](const KvWriteRecordVariable& s) { return s.oid == v.oid; });
        if (!sent)
            add(v, QStringLiteral("(row deleted)"));
    }
    details_->addTopLevelItems(rows);
    detailWidths_ = MeasureColumns(details_, kDetailColumns, DetailCount);
    SpreadColumns(details_, kDetailColumns, DetailCount, detailWidths_);
}

void TChangesForm::UpdateButtons()
{
    const KvJournalEntry* entry = log_.Find(SelectedId());
    const bool undoable = entry && !entry->Undone() && entry->outcome != KvJournalEntry::Outcome::Failed;
    undo_->setEnabled(!busy_ && undoable);
    refresh_->setEnabled(!busy_);
    close_->setEnabled(!busy_);
}

void TChangesForm::UndoSelected()
{
    const std::string id = SelectedId();
    if (busy_ || id.empty())
        return;
    busy_ = true;
    UpdateButtons();
    const QString caption = QLatin1String(kUndoCaption);
    KvUndoPlan plan;
    {
        const WaitCursor wait;
        plan = KvJournalUndo::Plan(log_, id);
    }
    QString outcome;
    std::string undoEntry;
    if (!plan.allowed) {
        outcome = Q(plan.refusal);
        KvMessageBox::show(this, Q(plan.Describe()).trimmed(), caption, QMessageBox::Ok, QMessageBox::Warning);
    } else {
        const QString question = Q(plan.Describe()) + QLatin1Char('\n') + QLatin1String(kConfirmText);
        if (KvMessageBox::show(this, question, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) ==
            QMessageBox::Yes) {
            KvUndoResult result;
            {
                const WaitCursor wait;
                result = KvJournalUndo::Apply(plan);
            }
            outcome = Q(result.message).trimmed();
            if (!result.ids.empty())
                undoEntry = result.ids.front();
            KvMessageBox::show(this, outcome, caption, QMessageBox::Ok,
                               result.ok ? QMessageBox::Information : QMessageBox::Warning);
        }
    }
    busy_ = false;
    Reload();
    // The undo's own entry selected (it can be undone in turn).
    if (!undoEntry.empty())
        Select(undoEntry);
    if (!outcome.isEmpty())
        statusLine_->setText(outcome + QLatin1Char('\n') + statusLine_->text());
    if (closeWanted_)
        close();
}

void TChangesForm::closeEvent(QCloseEvent* event)
{
    if (busy_) {
        // The undo under way still uses the window: it closes after.
        closeWanted_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
