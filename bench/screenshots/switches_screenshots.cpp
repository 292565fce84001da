// Screenshots of the switch list for looking at them: the window after "Try
// the simulator" and a read of it, the dialog with fields in error (SNMPv2c)
// and an SNMPv3 switch's dialog, and, under an X server, the whole screen
// after Open has started the program for the simulator.
//
//   switches_screenshots OUTPUT_DIRECTORY     (run it with an empty HOME)
#include "switches/switchdialog.h"
#include "switches/switchlist.h"
#include "switches/switchlistfile.h"
#include "switches/switchpaths.h"
#include "switches/switchsecretstore.h"
#include "switches/switchwindow.h"

#include "platform/kvapplication.h"
#include "platform/kvprogram.h"
#include "shell/kvstartup.h"
#include "snmp/snmpeventprocessor.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>

#include <iostream>

namespace {

void wait(
    int ms, const std::function<bool()>& done = [] { return false; })
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !done())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void save(QWidget& widget, const QString& file)
{
    widget.grab().save(file);
    std::cout << "wrote " << file.toStdString() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    KvApplication application(argc, argv);
    const QString out = argc > 1 ? argv[1] : ".";
    SnmpEventProcessor pump;
    SwitchPaths::MakeDirectory(SwitchPaths::StateDirectory());
    StartSnmpEngine(SwitchPaths::StateDirectory());
    KvStartup::LoadMessageFiles(KvProgram::directory());
    SwitchSecretStore store(false);
    SwitchList list(SwitchPaths::ListFile(), store);
    std::vector<std::string> notes;
    list.Load(notes);
    SwitchWindow window(list, notes);
    window.show();
    wait(500);
    save(window, out + "/switches-empty.png");

    window.TrySimulator();
    wait(10000, [&] { return list.Find(SwitchWindow::kSimulatorName) != nullptr; });
    window.PollNow();
    wait(5000,
         [&] { return !window.Polling() && !window.List()->topLevelItem(0)->text(SwitchWindow::SysName).isEmpty(); });
    save(window, out + "/switches-window.png");

    // A hand-edited list: a name far longer than the dialog allows, given
    // twice; the window reads the file again on its own.
    {
        SwitchListFile file(list.FilePath());
        std::vector<SwitchRecord> records;
        std::string ignored;
        file.Load(records, ignored);
        SwitchRecord longName = records.front();
        longName.name = "hand-edited " + std::string(300, 'x');
        records.push_back(longName);
        records.push_back(longName);
        file.Save(records, ignored);
        wait(3000, [&] { return window.List()->topLevelItemCount() == 2; });
        wait(300);
        save(window, out + "/switches-window-long-name.png");
    }

    SwitchRecord bad = *list.Find(SwitchWindow::kSimulatorName);
    KvHandedSecrets secrets;
    store.Load(bad.name, secrets);
    SwitchDialog edit(SwitchDialog::Mode::Edit, bad, secrets, {"core-1"}, &window);
    edit.show();
    for (QLineEdit* e : edit.findChildren<QLineEdit*>()) {
        if (e->accessibleName() == "Name")
            e->setText("core-1");
        if (e->accessibleName() == "Agent port")
            e->setText("70000");
        if (e->accessibleName() == "Write community")
            e->clear();
    }
    edit.CheckFields();
    wait(300);
    save(edit, out + "/switches-dialog-errors.png");
    edit.hide();

    SwitchRecord v3 = bad;
    v3.name = "core-v3";
    v3.version = kvVersion3;
    v3.user = "sha-user";
    KvHandedSecrets v3Secrets;
    v3Secrets.auth = "sha-auth-pass";
    v3Secrets.priv = "sha-priv-pass";
    SwitchDialog add(SwitchDialog::Mode::Add, v3, v3Secrets, {}, &window);
    add.show();
    wait(300);
    for (QPushButton* b : add.findChildren<QPushButton*>())
        if (b->text() == "&Test")
            b->click();
    wait(4000);
    save(add, out + "/switches-dialog-v3.png");
    for (QLineEdit* e : add.findChildren<QLineEdit*>()) {
        if (e->accessibleName() == "User")
            e->setText(QString(40, 'u'));
        if (e->accessibleName() == "Context engine ID")
            e->setText("zz");
    }
    add.CheckFields();
    wait(300);
    save(add, out + "/switches-dialog-v3-errors.png");
    add.hide();

    if (qEnvironmentVariableIsSet("DISPLAY")) {
        window.Select(SwitchWindow::kSimulatorName);
        window.OpenSwitch();
        wait(8000);
        window.raise();
        QProcess::execute("import", {"-window", "root", out + "/switches-module-opened.png"});
        std::cout << "wrote " << (out + "/switches-module-opened.png").toStdString() << "\n";
        wait(1500);
        save(window, out + "/switches-window-open.png");
    }
    return 0;
}
