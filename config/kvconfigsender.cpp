#include "config/kvconfigsender.h"

#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"

void KvConfigSender::Send(const KvConfigWrite& write)
{
    KvSNMPRequest request;
    request.variables.kind = kvListRow;
    request.variables.name = " " + write.page;
    // Journaled as the page's window is captioned.
    request.journalCaption = write.page + " : " + KvSNMPDevice.address;
    for (const KvConfigWrite::Variable& variable : write.variables) {
        KvSNMPVar var;
        var.oid = variable.oid;
        var.label = variable.label;
        var.syntax = variable.syntax;
        var.access = accRW;
        var.options = variable.options;
        var.value = variable.value;
        request.variables.Elements().push_back(std::move(var));
    }
    request.Store(false, KvWriteSet::All(request.variables));
}
