#pragma once
#include <QWidget>

#include <span>
#include <string>
#include <vector>

namespace kvbrowser {
struct BrowserTable;
}
class QTabWidget;
class TBrowserPage;

// The window of one MIB browser page, captioned "<page title> : <switch
// address>": the page's table, or its tables on tabs. Each table fetches its
// values when the window is first shown. Closing the window stops every
// walk in progress and waits for the outstanding answers before it goes.
class TBrowserForm : public QWidget {
public:
    // `tables`: the page's tables (at least one), as FindBrowserPage gives them.
    TBrowserForm(std::span<const kvbrowser::BrowserTable> tables, const std::string& agentAddress);
    ~TBrowserForm() override;

    const std::vector<TBrowserPage*>& Pages() const { return pages_; }
    // The tabs of a page of several tables, else null.
    QTabWidget* Tabs() const { return tabs_; }
    // Whether every table's first fetch is over.
    bool Fetched() const;

protected:
    // Every table fetches when the window is first shown, those on hidden
    // tabs too.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<TBrowserPage*> pages_;
    QTabWidget* tabs_ = nullptr;
};
