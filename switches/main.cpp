// The switch list: the program's front door on a desktop. Without arguments
// the window; with a command (list, add, remove, open) the command line.

#include "platform/kvapplication.h"
#include "platform/kvmessagebox.h"
#include "platform/kvprogram.h"
#include "shell/kvstartup.h"
#include "snmp/kvsnmpsession.h"
#include "snmp/snmpeventprocessor.h"
#include "switches/switchcommand.h"
#include "switches/switchlist.h"
#include "switches/switchpaths.h"
#include "switches/switchsecretstore.h"
#include "switches/switchwindow.h"

#include <QCoreApplication>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// OSPREY_KEYRING=off keeps the secrets in memory only.
bool useKeyring()
{
    const char* setting = std::getenv("OSPREY_KEYRING");
    return !setting || std::strcmp(setting, "off") != 0;
}

int runWindow(int argc, char** argv)
{
    KvApplication application(argc, argv);
    SnmpEventProcessor eventProcessor;
    try {
        SwitchPaths::MakeDirectory(SwitchPaths::StateDirectory());
        StartSnmpEngine(SwitchPaths::StateDirectory());
    } catch (const std::exception& error) {
        KvMessageBox::error(nullptr, QString::fromStdString(KvStartup::DescribeFailure(error)));
        return 1;
    }
    KvStartup::LoadMessageFiles(KvProgram::directory());
    SwitchSecretStore store(useKeyring());
    SwitchList list(SwitchPaths::ListFile(), store);
    std::vector<std::string> notes;
    list.Load(notes);
    SwitchWindow window(list, notes);
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!SwitchCommand::IsCommand(arguments))
        return runWindow(argc, argv);
    QCoreApplication application(argc, argv);
    SwitchSecretStore store(useKeyring());
    SwitchCommand command(SwitchPaths::ListFile(), store, std::cin, std::cout, std::cerr);
    return command.Run(arguments);
}
