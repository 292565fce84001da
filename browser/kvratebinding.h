#pragma once
#include <QElapsedTimer>
#include <QList>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "binding/kvsnmprequest2edits.h"
#include "browser/tables/kvcounterrates.h"

class QLabel;
class TConfigForm;

// The binding of a counter page: a generic page binding that also shows,
// beside every counter, its rate per second since the previous refresh. On a
// list-view page each counter column is followed by a column "<counter>/s";
// on an editor page each counter's editor by a label "<rate>/s". The first
// refresh shows no rates; every later one shows the rates of the counters
// that read a number both times (see KvCounterRates).
class KvRateBinding : public KvSNMPRequest2Edits {
public:
    explicit KvRateBinding(QWidget* owner);
    ~KvRateBinding() override;

    // Adds the rate columns or labels to the page, once it is built (the
    // editor page's window grows by the labels' width).
    void ShowRatesOn(TConfigForm& form);

    // Values -> controls for one row or value set, then its rates.
    void ShowRow() override;

    // The rate column of each counter column (list-view pages): variable
    // index, rate column (logical index in the list view).
    struct RateColumn {
        int variable;
        int column;
    };
    const std::vector<RateColumn>& RateColumns() const { return rateColumns_; }
    // The rate label of each counter (editor pages), by variable index.
    QLabel* RateLabel(int variable) const;

    static constexpr const char* kRateSuffix = "/s";
    static constexpr int kRateLabelWidth = 90;

private:
    void AddRateColumns();
    void AddRateLabels(TConfigForm& form);
    // The row's name for the rates: its index values.
    std::string RowKey() const;
    void ShowRates(double seconds);

    KvCounterRates rates_;
    QElapsedTimer clock_;
    std::vector<RateColumn> rateColumns_;
    std::vector<std::pair<int, QPointer<QLabel>>> rateLabels_;
    // Expires with the binding: ShowRow lets the window work, which may
    // close the page.
    std::shared_ptr<char> alive_ = std::make_shared<char>(0);
};
