#include "browser/browserprogram.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

#include "browser/kvbrowserstartup.h"
#include "journal/kvjournal.h"
#include "tables/pagecatalogue.h"
#include "browser/tables/browsercatalogue.h"
#include "browser/tbrowserform.h"
#include "platform/kvmessagebox.h"
#include "shell/kvstartup.h"

namespace {

// A message nobody could answer would hold the program forever.
bool CanShowMessageBox()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", KvMessageBox::programCaption().toLocal8Bit().constData(), message.c_str());
    std::fflush(stderr);
    if (CanShowMessageBox())
        KvMessageBox::error(nullptr, QString::fromStdString(message));
    return status;
}

// The columns of a row as the program's pages and the browser's tables
// define them, for the journal of a row's deletion.
std::vector<KvWriteRowColumn> RowColumns(const std::string& statusOid)
{
    std::vector<KvWriteRowColumn> columns = kvtables::MenuRowColumns(statusOid);
    for (const kvbrowser::BrowserTable& table : kvbrowser::BrowserTables())
        kvtables::AddRowColumns({&table.command, 1}, statusOid, columns);
    return columns;
}

} // namespace

namespace browserprogram {

std::string UnknownPageMessage(const std::string& page)
{
    std::string known;
    for (const std::string& name : kvbrowser::BrowserPageNames())
        known += (known.empty() ? "/T" : ", /T") + name;
    if (page.empty())
        return "No MIB browser page named: give the page as /T<module>_<page>, for example /TMIB_Info (pages: " +
               known + ")";
    return "Unknown MIB browser page \"/T" + page + "\" (pages: " + known + ")";
}

} // namespace browserprogram

int RunBrowser(const std::vector<std::string>& parameters)
{
    using namespace browserprogram;
    const std::string page = kvbrowser::PageParameter(parameters);
    const std::span<const kvbrowser::BrowserTable> tables = kvbrowser::FindBrowserPage(page);
    if (tables.empty())
        return Fail(kNoSuchPage, UnknownPageMessage(page));

    // Every write of the window is journaled.
    KvJournal journal;
    journal.SetRowColumns(&RowColumns);
    const KvJournalInstallation installed(&journal);
    KvStartup startup;
    try {
        startup.StartEngine();
        KvBrowserStartup::Configure(startup, parameters);
    } catch (const std::exception& error) {
        return Fail(kStartupFailed, KvStartup::DescribeFailure(error));
    }

    TBrowserForm window(tables, startup.Texts().AgentAddress);
    window.show();
    QApplication::exec();
    return kOk;
}
