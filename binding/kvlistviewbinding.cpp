#include "binding/kvlistviewbinding.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHeaderView>

#include <algorithm>

#include "binding/kvgridlinedelegate.h"
#include "binding/kvlistrow.h"
#include "binding/kvlistviewactions.h"
#include "snmp/kvsnmpvarlist.h"

KvListViewBinding::KvListViewBinding(KvSNMPVarList& variables, std::function<void()> selectionChanged)
    : variables_(variables), selectionChanged_(std::move(selectionChanged))
{
    flushTimer_.setSingleShot(true);
    QObject::connect(&flushTimer_, &QTimer::timeout, [this] { InsertPendingRows(); });
}

KvListViewBinding::~KvListViewBinding()
{
    QObject::disconnect(selectionConnection_);
    DiscardPendingRows();
}

void KvListViewBinding::Attach(QTreeWidget* listView)
{
    QObject::disconnect(selectionConnection_);
    listView_ = listView;
    listActions_ = nullptr;
    if (!listView)
        return;

    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setRootIsDecorated(false);
    listView->setItemsExpandable(false);
    listView->setUniformRowHeights(true);
    listView->setAllColumnsShowFocus(true);
    // Grid lines between the cells, unless the page draws its items itself.
    if (listView->itemDelegate()->metaObject() == &QStyledItemDelegate::staticMetaObject)
        listView->setItemDelegate(new KvGridLineDelegate(listView));

    // The page's own handlers stay connected to the list view (and, connected
    // earlier, run first).
    selectionConnection_ =
        QObject::connect(listView, &QTreeWidget::itemSelectionChanged, listView, [this] { selectionChanged_(); });
    // Sorting by a column, copying and saving the rows.
    listActions_ = KvListViewActions::Install(listView);
    EnsureColumns();
}

bool KvListViewBinding::HasOwnColumns() const
{
    // A fresh tree widget has one unnamed column (its header shows "1").
    const int columns = listView_->columnCount();
    if (columns == 1 && listView_->headerItem()->text(0).isEmpty())
        return false;
    return columns > 0;
}

void KvListViewBinding::EnsureColumns()
{
    if (!listView_)
        return;
    const KvSNMPVarList& vars = variables_;
    std::vector<int> order;
    for (int i = 0; i < vars.Count(); ++i)
        if (vars.IsUnshown(i))
            order.push_back(i);
    const size_t hidden = order.size();
    for (int i = 0; i < vars.Count(); ++i)
        if (vars.IsShown(i))
            order.push_back(i);

    const int present = HasOwnColumns() ? listView_->columnCount() : 0;
    if (!columnVariables_.empty() && present >= static_cast<int>(order.size()))
        return; // built before, and still enough
    columnVariables_ = order;
    if (present >= static_cast<int>(order.size()) && present > 0)
        return; // the page's own columns stay

    listView_->clear();
    QStringList captions;
    for (int i : order)
        captions << QString::fromStdString(vars[i].label);
    listView_->setColumnCount(static_cast<int>(order.size()));
    listView_->setHeaderLabels(captions);
    QHeaderView* header = listView_->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    for (int c = 0; c < static_cast<int>(order.size()); ++c) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        if (static_cast<size_t>(c) < hidden)
            header->resizeSection(c, 0);
        else
            header->resizeSection(c, header->sectionSizeHint(c)); // fit to the caption
    }
}

void KvListViewBinding::CopySelectedRow()
{
    if (!listView_)
        return;
    // The row the operator selected, wherever a sort has put it; its values
    // as they came (KvListRow keeps the bytes a text cannot hold).
    const QTreeWidgetItem* row = KvListViewActions::SelectedRow(listView_);
    if (!row)
        return;
    for (size_t c = 0; c < columnVariables_.size(); ++c) {
        const int i = columnVariables_[c];
        if (i < variables_.Count())
            variables_[i].value = KvListRow::Cell(*row, static_cast<int>(c));
    }
}

// ---------------------------------------------------------------------------
// The rows of a refresh

void KvListViewBinding::BeginRows()
{
    DiscardPendingRows();
    if (!listView_)
        return;
    EnsureColumns();
    listView_->clear();
    batchClock_.invalidate();
    widthsSettled_ = false;
}

void KvListViewBinding::AddRow()
{
    auto* row = new KvListRow;
    for (size_t c = 0; c < columnVariables_.size(); ++c) {
        const int i = columnVariables_[c];
        if (i < variables_.Count())
            KvListRow::SetCell(*row, static_cast<int>(c), variables_[i].value);
    }
    pendingRows_.push_back(row);
    if (!batchClock_.isValid() || batchClock_.elapsed() >= kRowBatchMs)
        InsertPendingRows();
    else if (!flushTimer_.isActive())
        flushTimer_.start(static_cast<int>(kRowBatchMs - batchClock_.elapsed()));
}

void KvListViewBinding::FlushRows()
{
    InsertPendingRows();
    // The walk is over: a chosen sort puts its rows in order, once.
    if (listView_ && rowsUnsorted_ && listActions_ && listActions_->Sorted())
        listActions_->Resort();
    rowsUnsorted_ = false;
}

void KvListViewBinding::InsertPendingRows()
{
    flushTimer_.stop();
    if (!listView_) {
        DiscardPendingRows();
        return;
    }
    if (!pendingRows_.empty()) {
        rowsUnsorted_ = true;
        const bool updates = listView_->updatesEnabled();
        listView_->setUpdatesEnabled(false);
        QList<QTreeWidgetItem*> batch(pendingRows_.begin(), pendingRows_.end());
        pendingRows_.clear();
        listView_->addTopLevelItems(batch);
        if (!widthsSettled_) {
            SettleColumnWidths();
            widthsSettled_ = true;
        }
        listView_->setUpdatesEnabled(updates);
    }
    batchClock_.restart();
    // Let the operator work between the batches of a long walk.
    QCoreApplication::processEvents();
}

QTreeWidgetItem* KvListViewBinding::NewestRow() const
{
    if (!pendingRows_.empty())
        return pendingRows_.back();
    if (listView_ && listView_->topLevelItemCount() > 0)
        return listView_->topLevelItem(listView_->topLevelItemCount() - 1);
    return nullptr;
}

void KvListViewBinding::DiscardPendingRows()
{
    for (QTreeWidgetItem* row : pendingRows_)
        delete row;
    pendingRows_.clear();
}

void KvListViewBinding::SettleColumnWidths()
{
    if (!listView_)
        return;
    QHeaderView* header = listView_->header();
    for (int c = 0; c < listView_->columnCount(); ++c) {
        const int width = header->sectionSize(c);
        if (width == 0 || header->isSectionHidden(c))
            continue; // a hidden column stays hidden
        // Fitted to the caption and the values, wider only.
        listView_->resizeColumnToContents(c);
        header->resizeSection(c, std::max(width, std::min(kMaxColumnWidth, header->sectionSize(c))));
    }
}
