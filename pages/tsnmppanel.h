#pragma once
#include <QPointer>
#include <QWidget>

#include <functional>

class QScrollArea;
class QSplitter;
class TCtrlBtnPanel;
class TMsgPanel;
class TSNMPLayoutAdapter;

// The frame of a generic page and of a row dialog: the button bar on the
// right (behind a splitter), and in the client panel the content above the
// message panel (behind a splitter). The panel fills its owner. Its Close
// button closes the window it sits in; when that fails, the message box
// "Please initial close form" says so.
class TSNMPPanel : public QWidget {
public:
    static constexpr const char* kCloseFailed = "Please initial close form";

    explicit TSNMPPanel(QWidget* owner);
    ~TSNMPPanel() override;

    TCtrlBtnPanel* BtnPanel = nullptr;
    QSplitter* BtnSplitter = nullptr; // between client panel and bar
    QWidget* ClientPanel = nullptr;
    TMsgPanel* MsgPanel = nullptr;
    QSplitter* ClientSplitter = nullptr; // between content and message panel

    // Puts `content` into the client panel above the message panel, filling
    // it. A `scrollable` content keeps its minimum size and gets scroll bars
    // when the window is smaller.
    void SetContent(QWidget* content, bool scrollable);
    QWidget* Content() const { return content_; }

    // Content size computed by a page's BuildPage: what the window takes.
    int ContentWidth() const { return contentWidth_; }
    int ContentHeight() const { return contentHeight_; }
    void SetContentSize(int width, int height);

    // The page window, once the page is sized.
    QPointer<QWidget> PageWindow;

    // Close runs `action` instead of closing the window.
    void RebindClose(std::function<void()> action);
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyInitialSizes();

    QWidget* content_ = nullptr;
    QScrollArea* scroller_ = nullptr;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    bool sized_ = false;
    QMetaObject::Connection closeConnection_;
};
