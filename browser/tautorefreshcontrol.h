#pragma once
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class TCtrlBtnPanel;
class TSNMPLayoutAdapter;

// Automatic refresh of a counter page: a choice "Off", "2 s", "5 s", "10 s"
// below the page's buttons (off to begin with). While on, the page refreshes
// at that interval, as its Refresh button does; a tick is left out while a
// fetch or write is still running or a row dialog is open, so the operator
// never meets "Get data not complete" from it.
class TAutoRefreshControl : public QWidget {
public:
    // Placed in the button bar below its lowest visible control; refreshes
    // through `adapter`.
    TAutoRefreshControl(TCtrlBtnPanel* bar, TSNMPLayoutAdapter* adapter);

    // The interval in seconds, 0 for off; one of Intervals().
    int Interval() const;
    void SetInterval(int seconds);
    static const QList<int>& Intervals();

    // One tick of the timer: refreshes when the page is idle. Gives whether
    // it did.
    bool Tick();

    QComboBox* Choice() const { return choice_; }
    const QTimer& Timer() const { return timer_; }

    static constexpr const char* kLabelText = "Auto refresh";

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Below the lowest visible control of the bar.
    void Place();

    TCtrlBtnPanel* bar_; // the parent
    QPointer<TSNMPLayoutAdapter> adapter_;
    QLabel* label_ = nullptr;
    QComboBox* choice_ = nullptr;
    QTimer timer_;
};
