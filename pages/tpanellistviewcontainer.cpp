#include "pages/tpanellistviewcontainer.h"

#include <QAbstractItemModel>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollArea>
#include <QSplitter>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "pages/rowhint.h"
#include "pages/tsnmplayoutadapter.h"

namespace {

constexpr int kEditorBoxMargin = 20;

} // namespace

TPanelListViewContainer::TPanelListViewContainer(QWidget* owner, KvSNMPRequest2Edits* binding, UIEntry* table)
    : TPanelContainer(owner, binding, table)
{
    setObjectName("PanelListViewContainer");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    layout->addWidget(splitter_);

    listView_ = new QTreeWidget(splitter_);
    listView_->setObjectName("ListView");
    listView_->setRootIsDecorated(false);
    listView_->setSortingEnabled(false);
    listView_->setMouseTracking(true);
    listView_->viewport()->setMouseTracking(true);
    listView_->viewport()->installEventFilter(this);
    // The selected row stays readable while a row dialog has the focus.
    QPalette palette = listView_->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    listView_->setPalette(palette);

    editorBox_ = new QScrollArea(splitter_);
    editorBox_->setObjectName("editorBox");
    editorBox_->setWidgetResizable(true);
    editorBox_->setFrameShape(QFrame::NoFrame);
    editorContent_ = new QWidget;
    editorContent_->setObjectName("editorContent");
    editorBox_->setWidget(editorContent_);
    editorBox_->hide();
    splitter_->addWidget(listView_);
    splitter_->addWidget(editorBox_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);

    if (binding)
        binding->AttachListView(listView_, true);

    TSNMPLayoutAdapter* adapter = Adapter();
    adapter->editorBox = editorBox_;
    adapter->listView = listView_;
    adapter->takeBackEditorBox = [container = QPointer<TPanelListViewContainer>(this)] {
        if (container)
            container->TakeBackEditorBox();
    };

    connect(listView_, &QTreeWidget::itemSelectionChanged, this, [adapter] { adapter->UpdateEditDeleteEnabled(); });
    connect(listView_, &QTreeWidget::itemDoubleClicked, this, [this, adapter] {
        if (KvListViewActions::SelectedRow(listView_))
            adapter->DoEditRow();
    });
    QAbstractItemModel* model = listView_->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { UpdateRowCounter(); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { UpdateRowCounter(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { UpdateRowCounter(); });
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { UpdateRowCounter(); });
}

// The list view empties itself while it is destroyed; by then the counter
// and the adapter may be gone.
TPanelListViewContainer::~TPanelListViewContainer()
{
    listView_->model()->disconnect(this);
    listView_->disconnect(this);
    listView_->viewport()->removeEventFilter(this);
}

void TPanelListViewContainer::SetRowCounter(QLabel* counter)
{
    rowCounter_ = counter;
    UpdateRowCounter();
}

void TPanelListViewContainer::UpdateRowCounter()
{
    if (rowCounter_)
        rowCounter_->setText(QString::number(listView_->topLevelItemCount()));
}

void TPanelListViewContainer::TakeBackEditorBox()
{
    if (editorBox_->parentWidget() != splitter_) {
        editorBox_->hide();
        splitter_->insertWidget(1, editorBox_);
    }
    editorBox_->hide();
}

void TPanelListViewContainer::SizeEditorBox(int extentRight, int extentBottom)
{
    const QSize size(extentRight + kEditorBoxMargin, extentBottom + kEditorBoxMargin);
    editorContent_->setMinimumSize(size);
    editorContent_->resize(size);
    editorBox_->resize(size);
}

bool TPanelListViewContainer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listView_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
            SetRowHint(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonRelease:
            Adapter()->UpdateEditDeleteEnabled();
            break;
        case QEvent::ToolTip: {
            auto* help = static_cast<QHelpEvent*>(event);
            SetRowHint(help->pos());
            if (listView_->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), hintTable_, listView_);
            return true;
        }
        default:
            break;
        }
    }
    return TPanelContainer::eventFilter(watched, event);
}

void TPanelListViewContainer::SetRowHint(const QPoint& position)
{
    QTreeWidgetItem* row = listView_->itemAt(position);
    if (!row) {
        listView_->setToolTip(QString());
        hintTable_.clear();
        return;
    }
    std::vector<std::string> captions;
    std::vector<std::string> cells;
    // Shown as a two-column table: tab characters do not line up in a
    // tooltip.
    hintTable_ = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">");
    for (int c = 0; c < listView_->columnCount(); ++c) {
        const QString caption = listView_->headerItem()->text(c);
        captions.push_back(caption.toStdString());
        cells.push_back(row->text(c).toStdString());
        hintTable_ += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                          .arg(caption.toHtmlEscaped(), row->text(c).toHtmlEscaped());
    }
    hintTable_ += QStringLiteral("</table>");
    listView_->setToolTip(QString::fromStdString(RowHintText(captions, cells)));
}
