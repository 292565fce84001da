#pragma once
#include <string>

#include "pages/tconfigform.h"

namespace kvbrowser {
struct BrowserTable;
}
class KvRateBinding;
class TAutoRefreshControl;

// One table of a MIB browser page: a generic page (editor page for a group of
// scalars, list-view page for a table) built from the table's command, set
// into the browser window rather than standing as a window of its own. Its
// Close button and the Esc key close the browser window. A counter table's
// binding shows rates, and its button bar offers automatic refresh.
class TBrowserPage : public TConfigForm {
public:
    // `parent`: the browser window, or its tabs.
    TBrowserPage(QWidget* parent, const kvbrowser::BrowserTable& table, const std::string& agentAddress);
    ~TBrowserPage() override;

    const kvbrowser::BrowserTable& Table() const { return table_; }
    // The page's binding when the table shows rates, else null.
    KvRateBinding* RateBinding() const { return rateBinding_; }
    // The automatic refresh of a counter table, else null.
    TAutoRefreshControl* AutoRefresh() const { return autoRefresh_; }
    // Whether the first fetch is over.
    bool Fetched() const;

protected:
    void done(int result) override;

private:
    // After the first fetch of a list-view page: every shown column as wide
    // as its caption or its widest cell, whichever is wider. Later fetches
    // keep the widths the operator may have set.
    void FitColumns();

    const kvbrowser::BrowserTable& table_;
    KvRateBinding* rateBinding_ = nullptr;
    TAutoRefreshControl* autoRefresh_ = nullptr;
    bool fitted_ = false;
};
