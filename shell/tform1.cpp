#include "shell/tform1.h"

namespace {

TForm1* form1Instance = nullptr;

} // namespace

TForm1::TForm1(QWidget* owner) : QWidget(owner)
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(295, 98);
    if (!form1Instance)
        form1Instance = this;
}

TForm1::~TForm1()
{
    if (form1Instance == this)
        form1Instance = nullptr;
}

TForm1* TForm1::Instance()
{
    return form1Instance;
}

void TForm1::RequestComplete()
{
    GetReady = true;
    SetReady = true;
}
