#include "pages/tsnmppanel.h"

#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "pages/tctrlbtnpanel.h"
#include "pages/tmsgpanel.h"
#include "platform/kvmessagebox.h"

TSNMPPanel::TSNMPPanel(QWidget* owner) : QWidget(owner)
{
    setObjectName("SNMPPanel");
    if (owner) {
        QLayout* ownerLayout = owner->layout();
        if (!ownerLayout) {
            ownerLayout = new QVBoxLayout(owner);
            ownerLayout->setContentsMargins(0, 0, 0, 0);
        }
        ownerLayout->addWidget(this);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    BtnSplitter = new QSplitter(Qt::Horizontal, this);
    BtnSplitter->setChildrenCollapsible(false);
    layout->addWidget(BtnSplitter);

    ClientPanel = new QWidget(BtnSplitter);
    ClientPanel->setObjectName("ClientPanel");
    auto* clientLayout = new QVBoxLayout(ClientPanel);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    ClientSplitter = new QSplitter(Qt::Vertical, ClientPanel);
    ClientSplitter->setChildrenCollapsible(false);
    clientLayout->addWidget(ClientSplitter);
    MsgPanel = new TMsgPanel(ClientSplitter);
    MsgPanel->setMinimumHeight(MsgPanel->Memo->fontMetrics().height() + 8);
    ClientSplitter->addWidget(MsgPanel);
    ClientSplitter->setStretchFactor(0, 0);

    BtnPanel = new TCtrlBtnPanel(BtnSplitter);
    BtnSplitter->addWidget(ClientPanel);
    BtnSplitter->addWidget(BtnPanel);
    BtnSplitter->setStretchFactor(0, 1);
    BtnSplitter->setStretchFactor(1, 0);

    closeConnection_ = connect(BtnPanel->CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
}

TSNMPPanel::~TSNMPPanel() = default;

void TSNMPPanel::SetContent(QWidget* content, bool scrollable)
{
    content_ = content;
    QWidget* placed = content;
    if (scrollable) {
        if (!scroller_) {
            scroller_ = new QScrollArea;
            scroller_->setObjectName("ContentScroller");
            scroller_->setFrameShape(QFrame::NoFrame);
            scroller_->setWidgetResizable(true);
        }
        scroller_->setWidget(content);
        placed = scroller_;
    }
    ClientSplitter->insertWidget(0, placed);
    placed->show();
    ClientSplitter->setStretchFactor(0, 1);
    ClientSplitter->setStretchFactor(1, 0);
}

void TSNMPPanel::SetContentSize(int width, int height)
{
    contentWidth_ = width;
    contentHeight_ = height;
}

void TSNMPPanel::RebindClose(std::function<void()> action)
{
    disconnect(closeConnection_);
    closeConnection_ =
        connect(BtnPanel->CloseBtn, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
}

void TSNMPPanel::CloseBtnClick()
{
    try {
        QWidget* target = PageWindow ? PageWindow.data() : window();
        target->close();
    } catch (...) {
        KvMessageBox::message(this, QString::fromUtf8(kCloseFailed));
    }
}

void TSNMPPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!sized_) {
        sized_ = true;
        ApplyInitialSizes();
    }
}

// The bar starts at its own width and the message panel at its own height;
// the content takes the rest and every later change of the window's size.
void TSNMPPanel::ApplyInitialSizes()
{
    const int barWidth = TCtrlBtnPanel::kWidth;
    const int across = BtnSplitter->width() - BtnSplitter->handleWidth();
    BtnSplitter->setSizes({std::max(0, across - barWidth), barWidth});
    const int down = ClientSplitter->height() - ClientSplitter->handleWidth();
    if (ClientSplitter->count() > 1)
        ClientSplitter->setSizes({std::max(0, down - TMsgPanel::kHeight), TMsgPanel::kHeight});
}
