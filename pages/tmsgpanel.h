#pragma once
#include <QFrame>

class QPlainTextEdit;

// The message panel under a page's content: one read-only memo, without tab
// stop, into which the page's binding writes its status lines.
class TMsgPanel : public QFrame {
public:
    static constexpr int kHeight = 50;

    explicit TMsgPanel(QWidget* parent);

    QPlainTextEdit* Memo = nullptr;
};
