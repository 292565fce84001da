#include "binding/kvlistviewactions.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

#include "binding/kvlistrow.h"
#include "common/kvmessages.h"
#include "common/kvtext.h"
#include "common/kvdelimitedwriter.h"
#include "platform/kvmessagebox.h"

namespace {

constexpr const char* kObjectName = "KvListViewActions";

} // namespace

KvListViewActions* KvListViewActions::Install(QTreeWidget* view)
{
    if (!view)
        return nullptr;
    if (KvListViewActions* present = Of(view))
        return present;
    return new KvListViewActions(view);
}

KvListViewActions* KvListViewActions::Of(const QTreeWidget* view)
{
    if (!view)
        return nullptr;
    return view->findChild<KvListViewActions*>(QString(), Qt::FindDirectChildrenOnly);
}

KvListViewActions::KvListViewActions(QTreeWidget* view) : QObject(view), view_(view)
{
    setObjectName(QString::fromLatin1(kObjectName));

    QHeaderView* header = view_->header();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &KvListViewActions::SectionClicked);

    menu_ = new QMenu(view_);
    menu_->setObjectName(QStringLiteral("ListViewMenu"));
    copy_ = menu_->addAction(QString::fromLatin1(kCopyText));
    copy_->setObjectName(QStringLiteral("CopyRows"));
    // Shown in the menu; Ctrl+C itself is taken in the event filter.
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    saveCsv_ = menu_->addAction(QString::fromLatin1(kSaveCsvText));
    saveCsv_->setObjectName(QStringLiteral("SaveCsv"));
    connect(copy_, &QAction::triggered, this, [this] { CopySelectedRows(); });
    connect(saveCsv_, &QAction::triggered, this, [this] { SaveCsvAs(); });

    // Shift and Ctrl clicks select ranges and single rows besides.
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(view_, &QTreeWidget::itemSelectionChanged, this, [this] { announcedRow_ = SelectedRow(view_); });
    // A click sets the current row before the selection, a key after it:
    // look once both are done.
    connect(view_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            QTimer::singleShot(0, this, &KvListViewActions::AnnounceMovedRow);
    });
    // An emptied list has forgotten its selection without a word.
    connect(view_->model(), &QAbstractItemModel::modelReset, this, [this] { announcedRow_ = nullptr; });

    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &KvListViewActions::ShowContextMenu);
    view_->installEventFilter(this);
}

// ---------------------------------------------------------------------------
// The operator's row

QTreeWidgetItem* KvListViewActions::SelectedRow(const QTreeWidget* view)
{
    if (!view)
        return nullptr;
    QTreeWidgetItem* current = view->currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = view->selectedItems();
    return selected.size() == 1 ? selected.first() : nullptr;
}

void KvListViewActions::SelectOnly(QTreeWidget* view, QTreeWidgetItem* row)
{
    if (!view)
        return;
    if (!row) {
        view->clearSelection();
        view->setCurrentItem(nullptr);
        return;
    }
    // Not setCurrentItem(row) alone: with Ctrl held down it would toggle.
    view->setCurrentItem(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollToItem(row);
}

void KvListViewActions::AnnounceMovedRow()
{
    if (view_->currentItem() && SelectedRow(view_) != announcedRow_)
        emit view_->itemSelectionChanged();
}

// ---------------------------------------------------------------------------
// Sorting

bool KvListViewActions::Sorted() const
{
    return sortColumn_ >= 0 && sortColumn_ < view_->columnCount();
}

int KvListViewActions::SortColumn() const
{
    return Sorted() ? sortColumn_ : -1;
}

Qt::SortOrder KvListViewActions::SortOrder() const
{
    return sortOrder_;
}

void KvListViewActions::SectionClicked(int column)
{
    if (column == sortColumn_)
        SortBy(column, sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        SortBy(column, Qt::AscendingOrder);
}

void KvListViewActions::SortBy(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= view_->columnCount())
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    QHeaderView* header = view_->header();
    header->setSortIndicatorShown(true);
    Resort();
    // The caption keeps its room beside the sort mark.
    if (header->sectionSize(column) > 0 && header->sectionSize(column) < header->sectionSizeHint(column))
        header->resizeSection(column, header->sectionSizeHint(column));
}

void KvListViewActions::Resort()
{
    if (!Sorted())
        return;
    const int count = view_->topLevelItemCount();
    QList<QString> texts;
    texts.reserve(count);
    for (int r = 0; r < count; ++r)
        texts << view_->topLevelItem(r)->text(sortColumn_);
    const KvListRow::Order order = KvListRow::ColumnOrder(texts);
    for (int r = 0; r < count; ++r) {
        QTreeWidgetItem* item = view_->topLevelItem(r);
        if (item->type() == QTreeWidgetItem::UserType)
            static_cast<KvListRow*>(item)->SetOrder(order);
    }
    // Also shows the sort column and order in the header.
    view_->sortItems(sortColumn_, sortOrder_);
    if (QTreeWidgetItem* row = SelectedRow(view_))
        view_->scrollToItem(row);
}

// ---------------------------------------------------------------------------
// Copying and saving

std::vector<int> KvListViewActions::ShownColumns() const
{
    const QHeaderView* header = view_->header();
    std::vector<int> columns;
    for (int c = 0; c < view_->columnCount(); ++c)
        if (!header->isSectionHidden(c) && header->sectionSize(c) > 0)
            columns.push_back(c);
    return columns;
}

void KvListViewActions::WriteRows(std::ostream& out, bool csv, bool selectedOnly) const
{
    const std::vector<int> columns = ShownColumns();
    std::vector<std::string> captions;
    for (int c : columns)
        captions.push_back(view_->headerItem()->text(c).toStdString());

    KvDelimitedWriter writer(out, csv ? KvDelimitedWriter::Style::Csv : KvDelimitedWriter::Style::Tsv);
    writer.BeginDocument(false);
    writer.BeginPage({view_->window()->windowTitle().toStdString(), std::string(), true}, captions);
    for (int r = 0; r < view_->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = view_->topLevelItem(r);
        if (selectedOnly && !item->isSelected())
            continue;
        std::vector<std::string> values;
        for (int c : columns)
            values.push_back(KvListRow::Cell(*item, c));
        writer.Row(values);
    }
    writer.EndPage(std::string());
    writer.EndDocument();
}

QString KvListViewActions::SelectedRowsText() const
{
    if (view_->selectedItems().isEmpty())
        return QString();
    std::ostringstream out;
    WriteRows(out, false, true);
    return QString::fromStdString(out.str());
}

void KvListViewActions::CopySelectedRows() const
{
    const QString text = SelectedRowsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void KvListViewActions::WriteCsv(std::ostream& out) const
{
    WriteRows(out, true, false);
}

bool KvListViewActions::SaveCsv(const QString& fileName) const
{
    std::ofstream file(QFile::encodeName(fileName).toStdString(), std::ios::binary | std::ios::trunc);
    if (file) {
        WriteCsv(file);
        file.close();
    }
    if (!file) {
        const std::string text = ReplaceAll(KvErrorText(kvErrFileWrite), "[FILENAME]", fileName.toStdString());
        KvMessageBox::error(view_->window(), QString::fromStdString(text));
        return false;
    }
    return true;
}

QString KvListViewActions::SuggestedFileName() const
{
    QString name;
    for (QChar c : view_->window()->windowTitle())
        name += c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_' ? c : QChar(u' ');
    name = name.simplified();
    while (name.endsWith(u'.'))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("list");
    return name + QStringLiteral(".csv");
}

void KvListViewActions::SaveCsvAs()
{
    const QString suggested = QDir::current().filePath(SuggestedFileName());
    const QString fileName =
        askFileName ? askFileName(suggested)
                    : QFileDialog::getSaveFileName(view_->window(), QString::fromLatin1(kSaveCsvCaption), suggested,
                                                   QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!fileName.isEmpty())
        SaveCsv(fileName);
}

// ---------------------------------------------------------------------------
// Context menu and keys

void KvListViewActions::ShowContextMenu(const QPoint& viewportPosition)
{
    copy_->setEnabled(!view_->selectedItems().isEmpty());
    saveCsv_->setEnabled(!ShownColumns().empty());
    menu_->popup(view_->viewport()->mapToGlobal(viewportPosition));
}

bool KvListViewActions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            // Ours before any window shortcut and before the view's own copy
            // of the current cell.
            if (event->type() == QEvent::KeyPress)
                CopySelectedRows();
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
