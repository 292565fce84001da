// Screenshots of the MIB browser stand-in against the simulator, for looking
// at them (not a test). Run under a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/screenshots/browser_screenshots OUTDIR [ITEM...]
// ITEM is a page name ("MIB_Info": the page once it has refreshed twice, so
// that counter pages show their rates; pages of several tables once per
// tab), a page name and a column ("IFMib_ifXEntry@ifHCInOctets": the list
// scrolled to that column) or "launch:NAME" (the main window with the stand-in that its menu
// item NAME started, e.g. launch:Information3). Without items every page is
// captured. Each picture is taken from the screen with `import -window root`
// into OUTDIR.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdio>

#include "browser/tables/browsercatalogue.h"
#include "browser/tbrowserform.h"
#include "binding/kvsnmprequest2edits.h"
#include "browser/tbrowserpage.h"
#include "browserrun.h"
#include "menutestwindow.h"
#include "pages/tsnmplayoutadapter.h"
#include "platform/kvapplication.h"
#include "platform/kvprogram.h"
#include "shell/launcher.h"
#include "shell/mainmenu.h"
#include "tables/menutree.h"
#include "shell/tmainform.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/qttesthelpers.h"
#include "tests/support/simfixture.h"

namespace {

QString outputDirectory;

void Capture(const QString& name)
{
    kvtest::Settle(400);
    const QString file = outputDirectory + QLatin1Char('/') + name + QStringLiteral(".png");
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    std::printf("%s\n", qPrintable(file));
}

void CapturePage(const SimFixture& sim, const std::string& item)
{
    const size_t at = item.find('@');
    const std::string page = item.substr(0, at);
    const QString column = at == std::string::npos ? QString() : QString::fromStdString(item.substr(at + 1));
    BrowserRun run;
    run.WriteIni(sim.port());
    const auto settings = BrowserRun::V2cSettings(sim.port(), SimFixture::readCommunity, SimFixture::writeCommunity);
    run.Run(BrowserRun::Parameters("/T" + page, settings), [&](TBrowserForm& window) {
        // A second reading for the rates.
        kvtest::Settle(1500);
        for (TBrowserPage* table : window.Pages())
            if (table->RateBinding())
                table->Adapter()->DoRefresh();
        kvtest::WaitFor([&] { return window.Fetched(); }, 10000);
        if (!column.isEmpty()) {
            QTreeWidget* list = window.Pages()[0]->MainBinding()->ListView();
            for (int c = 0; list && c < list->columnCount(); ++c)
                if (list->headerItem()->text(c) == column)
                    list->scrollTo(list->model()->index(0, c), QAbstractItemView::PositionAtTop);
            Capture(QString::fromStdString(page) + QStringLiteral("-") + column);
            return;
        }
        if (!window.Tabs()) {
            Capture(QString::fromStdString(page));
            return;
        }
        for (int i = 0; i < window.Tabs()->count(); ++i) {
            window.Tabs()->setCurrentIndex(i);
            Capture(QString::fromStdString(page) + QStringLiteral("-%1").arg(i + 1));
        }
    });
}

// The stand-in processes whose command line names `pageName`.
QList<qint64> StandIns(const std::string& pageName)
{
    QList<qint64> pids;
    const QString standIn = QString::fromStdString(KvProgram::directory()) + QStringLiteral("osprey-browser");
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) != standIn)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().split('\0').contains(QByteArray(pageName.c_str())))
            pids << pid;
    }
    return pids;
}

void CaptureLaunch(const SimFixture& sim, const std::string& item)
{
    const MenuItemDef* def = kvtables::FindMenuItem(item);
    if (!def || def->action != MenuAction::browser) {
        std::fprintf(stderr, "%s is not a browser item\n", item.c_str());
        return;
    }
    // The host is installed: its browser programs are the stand-in beside the program.
    MenuTestWindow window(sim.port(),
                          "[" + std::string(launcher::kHostKey51) + "]\nPath=" + KvProgram::directory() + "\n");
    TMainForm& form = window.Form();
    form.show();
    form.move(300, 420);
    kvtest::Settle(1500);
    MainMenu::Of(&form)->Click(item);
    QElapsedTimer waited;
    waited.start();
    while (StandIns(def->target).isEmpty() && waited.elapsed() < 5000)
        kvtest::Settle(100);
    kvtest::Settle(3000);
    Capture(QStringLiteral("launch-") + QString::fromStdString(item));
    // The window ends the stand-in it started when it goes.
}

} // namespace

int main(int argc, char** argv)
{
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    if (argc < 2) {
        std::fprintf(stderr, "usage: browser_screenshots OUTDIR [PAGE | launch:MENU-ITEM ...]\n");
        return 2;
    }
    outputDirectory = QString::fromLocal8Bit(argv[1]);
    SimFixture sim;
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> items;
    for (int i = 2; i < argc; ++i)
        items.push_back(argv[i]);
    if (items.empty())
        items = kvbrowser::BrowserPageNames();
    QApplication::setQuitOnLastWindowClosed(true);
    for (const std::string& item : items) {
        if (item.rfind("launch:", 0) == 0)
            CaptureLaunch(sim, item.substr(7));
        else
            CapturePage(sim, item);
    }
    return 0;
}
