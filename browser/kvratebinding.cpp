#include "browser/kvratebinding.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>

#include "pages/tconfigform.h"

namespace {

constexpr int kGap = 5; // between an editor and its rate label

} // namespace

KvRateBinding::KvRateBinding(QWidget* owner) : KvSNMPRequest2Edits(owner)
{
    clock_.start();
}

KvRateBinding::~KvRateBinding() = default;

void KvRateBinding::ShowRatesOn(TConfigForm& form)
{
    if (ListView())
        AddRateColumns();
    else
        AddRateLabels(form);
}

void KvRateBinding::AddRateColumns()
{
    QTreeWidget* list = ListView();
    const std::vector<int> columns = ColumnVariables();
    const KvSNMPVarList& vars = request.variables;
    QStringList captions;
    for (int c = 0; c < list->columnCount(); ++c)
        captions << list->headerItem()->text(c);
    std::vector<int> counterColumns;
    for (size_t c = 0; c < columns.size(); ++c) {
        const int i = columns[c];
        if (i < vars.Count() && vars.IsShown(i) && KvCounterRates::IsCounter(vars[i].syntax)) {
            counterColumns.push_back(static_cast<int>(c));
            rateColumns_.push_back({i, static_cast<int>(captions.size())});
            captions << QString::fromStdString(vars[i].label + kRateSuffix);
        }
    }
    if (rateColumns_.empty())
        return;
    // The rate columns come after the binding's own, so that its columns
    // keep their places; the header shows each beside its counter.
    list->setColumnCount(static_cast<int>(captions.size()));
    list->setHeaderLabels(captions);
    QHeaderView* header = list->header();
    for (size_t k = 0; k < rateColumns_.size(); ++k) {
        const int rate = rateColumns_[k].column;
        header->setSectionResizeMode(rate, QHeaderView::Interactive);
        header->resizeSection(rate, header->sectionSizeHint(rate));
        header->moveSection(header->visualIndex(rate), header->visualIndex(counterColumns[k]) + 1);
    }
}

void KvRateBinding::AddRateLabels(TConfigForm& form)
{
    UIEntryTable& entries = form.Entries();
    int reach = 0;
    QWidget* content = nullptr;
    for (int k = 0; k < CountEntries(entries); ++k) {
        const UIEntry& entry = entries[k];
        if (!entry.editor || !entry.variable || !KvCounterRates::IsCounter(entry.variable->syntax))
            continue;
        QWidget* editor = entry.editor;
        content = editor->parentWidget();
        auto* label = new QLabel(content);
        label->setObjectName(QStringLiteral("RateLabel%1").arg(k));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(editor->x() + editor->width() + kGap, editor->y(), kRateLabelWidth, editor->height());
        label->show();
        rateLabels_.emplace_back(k, label);
        reach = std::max(reach, label->x() + label->width());
    }
    if (!content)
        return;
    // The content and the window grow by what the labels reach beyond it.
    const int grow = reach + 20 - content->minimumWidth();
    if (grow > 0) {
        content->setMinimumWidth(content->minimumWidth() + grow);
        form.resize(std::min(form.width() + grow, int(TConfigForm::kMaxWidth)), form.height());
    }
}

QLabel* KvRateBinding::RateLabel(int variable) const
{
    for (const auto& [i, label] : rateLabels_)
        if (i == variable)
            return label;
    return nullptr;
}

std::string KvRateBinding::RowKey() const
{
    std::string key;
    const KvSNMPVarList& vars = request.variables;
    for (int i = 0; i < vars.keyCount && i < vars.Count(); ++i)
        key += (i ? "." : "") + vars[i].value;
    return key;
}

void KvRateBinding::ShowRow()
{
    const double seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
    const std::weak_ptr<char> alive = alive_;
    KvSNMPRequest2Edits::ShowRow();
    if (alive.expired())
        return;
    ShowRates(seconds);
}

void KvRateBinding::ShowRates(double seconds)
{
    const KvSNMPVarList& vars = request.variables;
    const std::string row = RowKey();
    auto rateText = [&](int i) {
        const std::optional<double> rate = rates_.Read(row, i, vars[i].syntax, vars[i].value, seconds);
        return rate ? KvCounterRates::FormatRate(*rate) : std::string();
    };
    if (ListView()) {
        QTreeWidgetItem* item = NewestRow();
        if (rateColumns_.empty() || !item)
            return;
        for (const RateColumn& rate : rateColumns_) {
            item->setText(rate.column, QString::fromStdString(rateText(rate.variable)));
            item->setTextAlignment(rate.column, Qt::AlignRight | Qt::AlignVCenter);
        }
        return;
    }
    for (const auto& [i, label] : rateLabels_) {
        const std::string text = rateText(i);
        if (label)
            label->setText(text.empty() ? QString() : QString::fromStdString(text + kRateSuffix));
    }
}
