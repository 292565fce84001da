#include "browser/tbrowserform.h"

#include <QCloseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "browser/tables/browsercatalogue.h"
#include "browser/tbrowserpage.h"

TBrowserForm::TBrowserForm(std::span<const kvbrowser::BrowserTable> tables, const std::string& agentAddress)
{
    setObjectName(QStringLiteral("BrowserForm"));
    QFont pageFont = font();
    pageFont.setPointSize(TBrowserPage::kFontPointSize);
    setFont(pageFont);
    const std::string title = tables.empty() ? std::string() : tables.front().pageTitle;
    setWindowTitle(QString::fromStdString(title + " : " + agentAddress));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget* parent = this;
    if (tables.size() > 1) {
        tabs_ = new QTabWidget(this);
        tabs_->setObjectName(QStringLiteral("BrowserTabs"));
        tabs_->setDocumentMode(true);
        layout->addWidget(tabs_);
        parent = tabs_;
    }
    int width = 0;
    int height = 0;
    for (const kvbrowser::BrowserTable& table : tables) {
        auto* page = new TBrowserPage(parent, table, agentAddress);
        // The page has sized itself as a window of its own would be.
        width = std::max(width, page->width());
        height = std::max(height, page->height());
        pages_.push_back(page);
        if (tabs_)
            tabs_->addTab(page, QString::fromLatin1(table.command.title));
        else
            layout->addWidget(page);
    }
    if (tabs_)
        height += tabs_->tabBar()->sizeHint().height();
    resize(width, height);
}

TBrowserForm::~TBrowserForm() = default;

bool TBrowserForm::Fetched() const
{
    return std::all_of(pages_.begin(), pages_.end(), [](const TBrowserPage* page) { return page->Fetched(); });
}

void TBrowserForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    for (TBrowserPage* page : pages_)
        page->FormActivate();
}

void TBrowserForm::closeEvent(QCloseEvent* event)
{
    for (TBrowserPage* page : pages_)
        page->FormClose();
    event->accept();
}
