// The stand-in for the host's MIB browser programs (MIB, IFMib, EthernetLike,
// Bridge, VLan, Rmon): the application object and the SNMP event pump, then
// the window of the page the command line names.

#include "browser/browserprogram.h"
#include "platform/kvapplication.h"
#include "shell/kvstartup.h"
#include "snmp/snmpeventprocessor.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    KvApplication application(argc, argv);
    SnmpEventProcessor eventProcessor;
    // Communities and passwords leave the process list at once.
    return RunBrowser(KvStartup::TakeParameters(argc, argv));
}
