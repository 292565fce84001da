#pragma once
#include "forms/port/tdot1xtableform.h"

// "EAP Over Land  Frames Statistic Table": the EAPOL frames every port has
// received and sent, by kind.
class TMacStatisticTableForm : public TDot1xTableForm {
public:
    static constexpr int kWidth = 670;
    static constexpr int kHeight = 432;

    TMacStatisticTableForm(QWidget* owner, const KvFormHost& host);

    void FormCreate();
};
