// Program entry: the application object and the SNMP event pump, then the main
// window (whose construction is the whole start-up), the invisible auxiliary
// window and the message loop.

#include "platform/kvapplication.h"
#include "shell/kvstartup.h"
#include "shell/programentry.h"
#include "snmp/snmpeventprocessor.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    KvApplication application(argc, argv);
    SnmpEventProcessor eventProcessor;
    eventProcessor.SetErrorReport(&KvApplication::showException);
    // Communities and passwords leave the process list at once.
    const std::vector<std::string> parameters = KvStartup::TakeParameters(argc, argv);
    return RunOsprey(parameters);
}
