#include "shell/events/teventsform.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/kvlistrow.h"
#include "binding/kvlistviewactions.h"
#include "shell/events/kveventlog.h"

namespace {

// clang-format off
struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {
    {"Time",        175},
    {"Type",        150},
    {"Port",         40},
    {"Variables",   420},
    {"Received as",  90},
};
// clang-format on

} // namespace

TEventsForm::TEventsForm(const KvEventLog& log, std::function<QString()> status, QWidget* owner)
    : QWidget(owner, Qt::Window), log_(log), status_(std::move(status))
{
    setObjectName(QStringLiteral("EventsForm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("EventList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setAccessibleName(QStringLiteral("Events"));
    QStringList captions;
    for (const Column& c : kColumns)
        captions << QString::fromLatin1(c.caption);
    list_->setHeaderLabels(captions);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
        list_->setColumnWidth(i, kColumns[i].width);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    KvListViewActions::Install(list_);
    layout->addWidget(list_);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("EventStatus"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statusLine_);
    resize(880, 360);

    batch_.setSingleShot(true);
    batch_.setInterval(kBatchMs);
    connect(&batch_, &QTimer::timeout, this, &TEventsForm::Flush);
    Flush();
}

void TEventsForm::EventsAdded()
{
    if (!batch_.isActive())
        batch_.start();
}

void TEventsForm::Flush()
{
    batch_.stop();
    const auto& events = log_.Events();
    const uint64_t first = log_.FirstNumber();
    const uint64_t end = log_.Added();
    if (next_ < first)
        next_ = first;
    if (next_ < end) {
        // The newest rows stay in view unless the operator has scrolled up.
        QScrollBar* bar = list_->verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        list_->setUpdatesEnabled(false);
        QList<QTreeWidgetItem*> added;
        for (uint64_t number = next_; number < end; ++number) {
            const KvEvent& e = events[static_cast<size_t>(number - first)];
            auto* row = new KvListRow;
            KvListRow::SetCell(*row, 0, e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString());
            KvListRow::SetCell(*row, 1, e.type.toStdString());
            KvListRow::SetCell(*row, 2, e.port ? std::to_string(e.port) : std::string());
            KvListRow::SetCell(*row, 3, e.variables.toStdString());
            KvListRow::SetCell(*row, 4, e.how.toStdString());
            row->setToolTip(1, e.trapOid);
            row->setToolTip(3, e.variables);
            added << row;
            rows_.push_back(row);
        }
        list_->addTopLevelItems(added);
        // The list holds what the log holds.
        while (rows_.size() > log_.Capacity()) {
            delete rows_.front();
            rows_.pop_front();
        }
        next_ = end;
        if (KvListViewActions* actions = KvListViewActions::Of(list_); actions && actions->Sorted())
            actions->Resort();
        else if (atBottom)
            list_->scrollToBottom();
        list_->setUpdatesEnabled(true);
    }
    if (status_)
        statusLine_->setText(status_());
}
