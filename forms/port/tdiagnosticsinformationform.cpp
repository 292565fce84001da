#include "forms/port/tdiagnosticsinformationform.h"

#include "forms/port/portformtables.h"

TDiagnosticsInformationForm::TDiagnosticsInformationForm(QWidget* owner, const KvFormHost& host)
    : TDot1xTableForm(owner, host, QStringLiteral("DiagnosticsInformation  Form"), kWidth, kHeight)
{
    setObjectName("DiagnosticsInformationForm");
    FormCreate();
}

void TDiagnosticsInformationForm::FormCreate()
{
    CreateTable(kvforms::varsDot1xDiagnostics);
}
