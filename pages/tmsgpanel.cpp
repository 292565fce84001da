#include "pages/tmsgpanel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TMsgPanel::TMsgPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName("MsgPanel");
    resize(width(), kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo1");
    Memo->setReadOnly(true);
    Memo->setFocusPolicy(Qt::ClickFocus);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(Memo);
}
