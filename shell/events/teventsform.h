#pragma once
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>

class KvEventLog;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// "Events": the switch's notifications of the session, one row each (time,
// type, port, variables, how it came), oldest first, and below them what the
// receiver dropped. The rows can be sorted, copied and saved as the other
// lists. New events go in every kBatchMs, so that a flood costs the window
// one insertion per batch.
class TEventsForm : public QWidget {
public:
    static constexpr int kBatchMs = 100;
    static constexpr const char* kCaption = "Events";

    // `log` outlives the window; `status` gives the line under the list.
    TEventsForm(const KvEventLog& log, std::function<QString()> status, QWidget* owner);

    // The log has grown: the new rows go in with the next batch.
    void EventsAdded();
    // Puts in what is waiting now (the batch timer's work).
    void Flush();

    QTreeWidget* List() const { return list_; }
    QLabel* StatusLine() const { return statusLine_; }

private:
    const KvEventLog& log_;
    std::function<QString()> status_;
    QTreeWidget* list_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QTimer batch_;
    uint64_t next_ = 0;                 // number of the next event to show
    std::deque<QTreeWidgetItem*> rows_; // oldest first (the list owns them)
};
