#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

#include "shell/events/kveventlog.h"
#include "snmp/snmpnotification.h"

class KvEventReceiver;
class QLabel;
class QStatusBar;
class QWidget;
class TEventsForm;
class TFrontPanel;

// The switch's notifications in the main window: the receiver listens
// (OSPREY_TRAP_LISTEN, else its default), each accepted notification goes
// into the session's event log, the status bar's event line shows the latest
// one, a linkUp or linkDown reads the front panel again at once and marks the
// port's buttons, and the "Events" window lists them.
class KvEventCentre : public QObject {
public:
    // `statusBar` gets the event line; `panel` may be null.
    KvEventCentre(QWidget* window, QStatusBar* statusBar, TFrontPanel* panel);
    ~KvEventCentre() override;

    // Listens for the switch the session settings name (its address, and its
    // SNMPv3 user when the session is SNMPv3). The event line says where, or
    // why not.
    void Start();
    // Opens the "Events" window, or brings it forward.
    void ShowEventsWindow();

    // What accepted notifications become (also for tests).
    void Take(std::vector<SnmpNotification>& batch);

    const KvEventLog& Log() const { return log_; }
    KvEventReceiver* Receiver() const { return receiver_; }
    QLabel* EventLine() const { return line_; }
    TEventsForm* EventsWindow() const;
    // Where the program listens and what the receiver dropped, one line.
    QString StatusText() const;

private:
    QWidget* window_;
    TFrontPanel* panel_;
    KvEventLog log_;
    KvEventReceiver* receiver_ = nullptr; // child
    QLabel* line_ = nullptr;              // on the status bar
    QPointer<TEventsForm> form_;
};
