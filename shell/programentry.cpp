#include "shell/programentry.h"

#include "journal/kvjournal.h"
#include "tables/pagecatalogue.h"
#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "shell/kvstartup.h"
#include "shell/tform1.h"
#include "shell/tmainform.h"

#include <exception>
#include <memory>

int RunOsprey(const std::vector<std::string>& parameters)
{
    // Every write of the program's windows is journaled; the journal outlives
    // the windows and the answers still outstanding when they close.
    KvJournal journal;
    journal.SetRowColumns(&kvtables::MenuRowColumns);
    const KvJournalInstallation installed(&journal);
    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = std::make_unique<TMainForm>(parameters);
    } catch (const std::exception& error) {
        KvMessageBox::error(nullptr, QString::fromStdString(KvStartup::DescribeFailure(error)));
        return 1;
    }
    TForm1 form1;
    if (mainForm->TerminateRequested())
        return 0;
    mainForm->show();
    return QApplication::exec();
}
