#include "browser/tbrowserpage.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

#include "browser/kvratebinding.h"
#include "browser/tables/browsercatalogue.h"
#include "browser/tautorefreshcontrol.h"
#include "binding/kvsnmprequest2edits.h"
#include "pages/tsnmplayoutadapter.h"
#include "pages/tsnmppanel.h"
#include "shell/pagecommands.h"

TBrowserPage::TBrowserPage(QWidget* parent, const kvbrowser::BrowserTable& table, const std::string& agentAddress)
    : TConfigForm(parent, table.command.title, agentAddress), table_(table)
{
    setObjectName(QString::fromLatin1(table.command.name));
    setWindowFlags(Qt::Widget);

    std::unique_ptr<KvSNMPRequest2Edits> binding;
    if (table.rates) {
        auto rated = std::make_unique<KvRateBinding>(this);
        rateBinding_ = rated.get();
        binding = std::move(rated);
    } else {
        binding = std::make_unique<KvSNMPRequest2Edits>(this);
    }
    pagecommands::BuildOn(*this, std::move(binding), table.command);
    if (rateBinding_) {
        rateBinding_->ShowRatesOn(*this);
        autoRefresh_ = new TAutoRefreshControl(PagePanel()->BtnPanel, Adapter());
    }
    // Close closes the browser window, not only this table.
    PagePanel()->PageWindow = window();

    if (KvSNMPRequest2Edits* main = MainBinding(); main && main->ListView()) {
        main->OnGetComplete = [previous = main->OnGetComplete, this](KvSNMPRequest2Controls& b, const KvSNMPError& e) {
            if (previous)
                previous(b, e);
            FitColumns();
        };
    }
}

TBrowserPage::~TBrowserPage() = default;

bool TBrowserPage::Fetched() const
{
    const TSNMPLayoutAdapter* adapter = Adapter();
    return Activated() && adapter && adapter->getComplete && MainBinding() && !MainBinding()->busy;
}

void TBrowserPage::FitColumns()
{
    KvSNMPRequest2Edits* main = MainBinding();
    QTreeWidget* list = main ? main->ListView() : nullptr;
    if (fitted_ || !list || list->topLevelItemCount() == 0)
        return;
    fitted_ = true;
    QHeaderView* header = list->header();
    const QAbstractItemView* view = list;
    for (int c = 0; c < list->columnCount(); ++c)
        if (header->sectionSize(c) > 0)
            header->resizeSection(c, std::max(header->sectionSizeHint(c), view->sizeHintForColumn(c)));
}

void TBrowserPage::done(int result)
{
    // Esc on a table closes the window it sits in; that window closes the
    // tables.
    if (QWidget* browserWindow = window(); browserWindow != this) {
        browserWindow->close();
        return;
    }
    TConfigForm::done(result);
}
