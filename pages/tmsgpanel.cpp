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
    // A long message wraps: the memo is narrow in a row dialog, and a line
    // behind a scroll bar is not read.
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(Memo);
}
