#include "forms/port/tmacstatistictableform.h"

#include "forms/port/portformtables.h"

TMacStatisticTableForm::TMacStatisticTableForm(QWidget* owner, const KvFormHost& host)
    : TDot1xTableForm(owner, host, QStringLiteral("MacStatisticTableForm"), kWidth, kHeight)
{
    setObjectName("MacStatisticTableForm");
    FormCreate();
}

void TMacStatisticTableForm::FormCreate()
{
    CreateTable(kvforms::varsEapolFrameStatistics);
}
