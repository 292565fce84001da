// Program entry: the application object and the SNMP event pump, then the main
// window (whose construction is the whole start-up), the invisible auxiliary
// window and the message loop.

#include "platform/kvapplication.h"
#include "shell/programentry.h"
#include "snmp/snmpeventprocessor.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    KvApplication application(argc, argv);
    SnmpEventProcessor eventProcessor;
    std::vector<std::string> parameters;
    const QStringList arguments = KvApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toStdString());
    return RunOsprey(parameters);
}
