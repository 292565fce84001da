// Screenshots of the main window's menus and of pages against the simulator,
// for looking at them (not a test). Run under a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/screenshots/menu_screenshots OUTDIR [ITEM...]
// ITEM is a menu item's component name, "row:NAME" (the page and its first
// row's Edit dialog), "port:NAME:PORT" (a per-port page), "set:NAME:ENTRY:TEXT"
// (the page after TEXT was put into editor ENTRY and Set Check pressed),
// "changes" (View > Changes... after a few writes of Aging Time, with the
// undo's confirmation, its result and a refused undo),
// "sort:NAME:COLUMN" (the list sorted by a click on the header of COLUMN, then
// a second click, three rows selected), "menu:NAME:COLUMN" (the same with the
// list's context menu open on the row clicked last; NAME may be a hand-made
// form, its first list is taken), "About1" or "Help2"; without
// items every menu is captured open.
// OSPREY_SIM_ARGS (blank-separated) are passed on to the simulator, for
// example "--error-oid ENT.11.36.2.6.2.1.3=genErr".
// Each open menu and each page (once its first fetch is over) is captured
// from the screen with `import -window root` into OUTDIR.

#include "binding/kvlistviewactions.h"
#include "binding/kvsnmprequest2edits.h"
#include "journal/kvjournal.h"
#include "pages/tconfigform.h"
#include "pages/tsnmplayoutadapter.h"
#include "platform/kvapplication.h"
#include "shell/changes/tchangesform.h"
#include "shell/mainmenu.h"
#include "shell/pagecommands.h"
#include "tables/pagecatalogue.h"
#include "shell/taboutform.h"
#include "shell/tmainform.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "tests/support/simfixture.h"

#include "menutestwindow.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

QString outputDirectory;
// How long a hand-made form is given before it is captured.
constexpr int kFormSettleMs = 2500;

void Settle(int ms = 300)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Capture(const QString& name)
{
    Settle();
    const QString file = outputDirectory + QLatin1Char('/') + name + QStringLiteral(".png");
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    std::printf("%s\n", qPrintable(file));
}

// What is done on an open page or hand-made form before it is captured
// (nothing when empty).
using PageAction = std::function<void(QWidget&)>;

// Opens the page (modal) and captures it once its first fetch is over; with
// `rowDialog`, the first row's Edit dialog is captured as well.
void CapturePage(const std::function<void()>& open, const QString& name, bool rowDialog = false,
                 const PageAction& before = {})
{
    bool done = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || done)
            return;
        auto* form = dynamic_cast<TConfigForm*>(modal);
        if (!form) {
            // A hand-made form: captured once its first fetch had time to end.
            if (waited.elapsed() < kFormSettleMs)
                return;
            done = true;
            poll.stop();
            if (before)
                before(*modal);
            Capture(name);
            modal->close();
            return;
        }
        const bool fetched =
            form->Adapter() && form->Adapter()->getComplete && form->MainBinding() && !form->MainBinding()->busy;
        if (!fetched && waited.elapsed() < 15000)
            return;
        done = true;
        poll.stop();
        if (before)
            before(*form);
        Capture(name);
        QTreeWidget* list = form->Adapter()->listView;
        if (rowDialog && list && list->topLevelItemCount() > 0) {
            list->setCurrentItem(list->topLevelItem(0));
            list->topLevelItem(0)->setSelected(true);
            QTimer::singleShot(800, [name] {
                QWidget* dialog = QApplication::activeModalWidget();
                Capture(name + QStringLiteral("-row"));
                if (dialog)
                    dialog->close();
            });
            form->Adapter()->DoEditRow();
        }
        form->close();
    });
    poll.start();
    open();
}

// Puts TEXT into editor ENTRY of the page and presses Set Check.
void SetEntry(QWidget& window, int entry, const QString& text)
{
    auto* page = dynamic_cast<TConfigForm*>(&window);
    if (!page)
        return;
    QWidget* editor = page->Entries()[entry].editor;
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findText(text)); // -1 when none has it
    page->Adapter()->DoSetSelected();
    Settle(800);
}

// The message box next shown is captured as NAME, then answered.
void AnswerNextBox(const QString& name, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(700, [name, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        Capture(name);
        if (QAbstractButton* button = box->button(answer))
            button->click();
    });
}

// View > Changes... after writes of Aging Time on "Information": 400, its
// undo (confirmation and result captured), 450 with every box of the page
// checked, an entry without outcome and a damaged line; then the undo of the
// undo, refused as Aging Time has changed since.
void CaptureChanges(TMainForm& form, MainMenu* menu, const KvJournal& journal)
{
    auto write = [&](const QString& text) {
        CapturePage([&] { menu->Click("Information1"); }, QStringLiteral("changes-page-%1").arg(text), false,
                    [&](QWidget& window) { SetEntry(window, 4, text); });
    };
    write(QStringLiteral("400"));
    TChangesForm* changes = TChangesForm::ShowFor(&form);
    changes->move(60, 60);
    Settle(500);
    AnswerNextBox(QStringLiteral("changes-confirm"), QMessageBox::Yes);
    QTimer::singleShot(1800, [] { AnswerNextBox(QStringLiteral("changes-undone"), QMessageBox::Ok); });
    changes->UndoSelected();
    const std::string undo = changes->SelectedId();
    write(QStringLiteral("450"));
    const std::string file = journal.FileOf(KvSNMPDevice.address, KvSNMPDevice.port);
    std::string first;
    std::getline(std::ifstream(file), first);
    const auto id = first.find("\"id\":\"");
    if (id != std::string::npos) {
        first.replace(id + 6, first.find('"', id + 6) - id - 6, "zz01");
        std::ofstream(file, std::ios::app) << first << "\n{\"damaged\n";
    }
    // A restore's entry of three long values, unanswered: the Result column
    // must stay in sight however wide the others' texts.
    const std::string port = std::to_string(KvSNMPDevice.port);
    std::ofstream(file, std::ios::app)
        << R"({"caption":"System Information : 127.0.0.1","id":"zz02","kind":"set","port":)" << port
        << R"(,"switch":"127.0.0.1","time":"2026-12-10T12:00:00Z","variables":[)"
        << R"({"before":"network operations, ext. 4410","beforeWire":"network operations, ext. 4410",)"
        << R"("label":"sysContact","oid":"1.3.6.1.2.1.1.4.0","syntax":76,"written":"C10","writtenWire":"C10"},)"
        << R"({"before":"osprey-lab","beforeWire":"osprey-lab","label":"sysName","oid":"1.3.6.1.2.1.1.5.0",)"
        << R"("syntax":76,"written":"osprey-edited","writtenWire":"osprey-edited"},)"
        << R"({"before":"Building 2, rack C3","beforeWire":"Building 2, rack C3","label":"sysLocation",)"
        << R"("oid":"1.3.6.1.2.1.1.6.0","syntax":76,"written":"Rack Z","writtenWire":"Rack Z"}]})"
        << "\n"
        << R"({"outcomeOf":"zz02","outcome":"no answer","result":"sent, no answer"})"
        << "\n";
    changes->Reload();
    Capture(QStringLiteral("changes-window"));
    changes->Select(undo);
    Settle(200);
    Capture(QStringLiteral("changes-window-undo-selected"));
    AnswerNextBox(QStringLiteral("changes-refused"), QMessageBox::Ok);
    changes->UndoSelected();
    Capture(QStringLiteral("changes-window-after-refusal"));
    changes->close();
}

} // namespace

int main(int argc, char** argv)
{
    KvApplication app(argc, argv);
    SnmpEventProcessor eventProcessor;
    if (argc < 2) {
        std::fprintf(stderr, "usage: menu_screenshots OUTDIR [MENU-ITEM-NAME...]\n");
        return 2;
    }
    outputDirectory = QString::fromLocal8Bit(argv[1]);
    std::vector<std::string> simArgs;
    for (const QString& arg : qEnvironmentVariable("OSPREY_SIM_ARGS").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        simArgs.push_back(arg.toStdString());
    SimFixture sim(SimFixture::Options{.extraArgs = simArgs});
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    MenuTestWindow window(sim.port());
    // Every write of the run is journaled (the program's start-up does this).
    KvJournal journal(window.Dir().file("journal"));
    const KvJournalInstallation journalInstalled(&journal);
    TMainForm& form = window.Form();
    form.show();
    form.move(40, 40);
    Settle(1500);
    Capture(QStringLiteral("main-window"));
    MainMenu* menu = MainMenu::Of(&form);

    QStringList items;
    for (int i = 2; i < argc; ++i)
        items << QString::fromLocal8Bit(argv[i]);
    if (items.isEmpty()) {
        // Every top-level menu open, with one submenu each where it has one.
        int index = 0;
        for (QAction* top : form.MainMenu1->actions()) {
            form.MainMenu1->setActiveAction(top);
            Settle();
            QMenu* popup = top->menu();
            for (QAction* action : popup->actions()) {
                if (action->menu() && action->isVisible()) {
                    popup->setActiveAction(action);
                    action->menu()->popup(popup->mapToGlobal(popup->actionGeometry(action).topRight()));
                    break;
                }
            }
            Capture(QStringLiteral("menu-%1").arg(++index, 2, 10, QLatin1Char('0')));
            popup->close();
            Settle(100);
        }
        return 0;
    }
    for (const QString& item : items) {
        if (item == QLatin1String("About1")) {
            menu->Click("About1");
            Capture(QStringLiteral("about"));
            TAboutForm::Current()->close();
            continue;
        }
        if (item == QLatin1String("changes")) {
            CaptureChanges(form, menu, journal);
            continue;
        }
        if (item == QLatin1String("Help2")) {
            menu->Click("Help2");
            Capture(QStringLiteral("help"));
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QTextBrowser"))
                    top->close();
            continue;
        }
        if (item.startsWith(QLatin1String("port:"))) {
            // port:NAME:NUMBER, a per-port page of the pop-up menu.
            const QStringList parts = item.split(QLatin1Char(':'));
            const PageCommand* command = kvtables::FindPageByName(parts.value(1).toStdString());
            if (command)
                CapturePage([&] { pagecommands::OpenPortPage(form, *command, parts.value(2).toInt()); },
                            QStringLiteral("page-%1-%2").arg(parts.value(1), parts.value(2)));
            continue;
        }
        if (item.startsWith(QLatin1String("set:"))) {
            // set:NAME:ENTRY:TEXT
            const QStringList parts = item.split(QLatin1Char(':'));
            const int entry = parts.value(2).toInt();
            const QString text = parts.mid(3).join(QLatin1Char(':'));
            CapturePage([&] { menu->Click(parts.value(1).toStdString()); },
                        QStringLiteral("set-%1-%2").arg(parts.value(1)).arg(entry), false,
                        [&](QWidget& window) { SetEntry(window, entry, text); });
            continue;
        }
        if (item.startsWith(QLatin1String("sort:")) || item.startsWith(QLatin1String("menu:"))) {
            // sort:NAME:COLUMN, menu:NAME:COLUMN
            const QStringList parts = item.split(QLatin1Char(':'));
            const bool withMenu = parts.value(0) == QLatin1String("menu");
            const int column = parts.value(2).toInt();
            CapturePage([&] { menu->Click(parts.value(1).toStdString()); },
                        QStringLiteral("%1-%2-%3").arg(parts.value(0), parts.value(1)).arg(column), false,
                        [&](QWidget& window) {
                            auto* page = dynamic_cast<TConfigForm*>(&window);
                            QTreeWidget* list =
                                page ? page->Adapter()->listView.data() : window.findChild<QTreeWidget*>();
                            KvListViewActions* actions = KvListViewActions::Of(list);
                            if (!actions || list->topLevelItemCount() == 0)
                                return;
                            actions->SortBy(column, Qt::AscendingOrder);
                            actions->SortBy(column, Qt::DescendingOrder);
                            // Rows 2 to 4 (as many as there are), the last one clicked last.
                            const int last = std::min(3, list->topLevelItemCount() - 1);
                            QTreeWidgetItem* row = list->topLevelItem(last);
                            KvListViewActions::SelectOnly(list, list->topLevelItem(std::max(0, last - 2)));
                            for (int r = std::max(0, last - 2); r <= last; ++r)
                                list->topLevelItem(r)->setSelected(true);
                            list->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
                            if (withMenu) {
                                const QRect cell = list->visualItemRect(row);
                                actions->ShowContextMenu(QPoint(cell.left() + 60, cell.center().y()));
                            }
                            Settle(500);
                        });
            continue;
        }
        if (item.startsWith(QLatin1String("row:"))) {
            const QString name = item.mid(4);
            CapturePage([&] { menu->Click(name.toStdString()); }, QStringLiteral("page-") + name, true);
            continue;
        }
        CapturePage([&] { menu->Click(item.toStdString()); }, QStringLiteral("page-") + item);
    }
    return 0;
}
