#pragma once
#include "forms/port/tdot1xtableform.h"

// "Diagnostics Information": the authenticator state-machine counters of
// every port, from "EntersConnecting" to "BackendAuthFails".
class TDiagnosticsInformationForm : public TDot1xTableForm {
public:
    static constexpr int kWidth = 696;
    static constexpr int kHeight = 480;

    TDiagnosticsInformationForm(QWidget* owner, const KvFormHost& host);

    void FormCreate();
};
