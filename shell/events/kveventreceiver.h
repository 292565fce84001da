#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "snmp/snmptrapreceiver.h"

class QSocketNotifier;

// Receives the switch's notifications on the Qt event loop of the window
// thread: the receiver's socket is watched, and a readable socket is read in
// batches of kBatch datagrams, one batch per turn of the event loop, so that
// a flood never holds the window up. Beyond kMaxPerSecond notifications a
// second (a burst of as many allowed) the rest are dropped and counted.
class KvEventReceiver : public QObject {
public:
    static constexpr int kBatch = 100;
    static constexpr int kMaxPerSecond = 2000;
    // Where the program listens unless OSPREY_TRAP_LISTEN says otherwise
    // ("off" there: nowhere).
    static constexpr const char* kDefaultListen = "udp:0.0.0.0:10162";
    static constexpr const char* kListenVariable = "OSPREY_TRAP_LISTEN";

    explicit KvEventReceiver(QObject* parent = nullptr);
    ~KvEventReceiver() override;

    // The address to listen on: the environment variable, else the default;
    // empty for "off".
    static QString ListenAddress();

    // Listens on `address` for notifications from `switchAddress` under the
    // SNMPv3 user of the session (empty name: none). False, with the reason
    // in Error(), when it cannot.
    bool Start(const QString& address, const std::string& switchAddress, const std::string& userName,
               const SnmpEngine::UsmUser& user, int32_t securityLevel);
    bool IsListening() const { return receiver_.IsOpen(); }
    QString BoundAddress() const { return QString::fromStdString(receiver_.BoundAddress()); }
    const QString& Error() const { return error_; }

    // Each batch of notifications accepted, in arrival order.
    std::function<void(std::vector<SnmpNotification>& batch)> received;

    const SnmpTrapReceiver::Counters& Stats() const { return receiver_.Stats(); }
    // Dropped for the rate.
    uint64_t OverRate() const { return overRate_; }

private:
    void ReadBatch();
    // Whether one more notification fits the rate now.
    bool TakeToken();

    SnmpTrapReceiver receiver_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer next_; // the next batch, on the next turn of the event loop
    QString error_;
    double tokens_ = kMaxPerSecond;
    std::chrono::steady_clock::time_point refilled_;
    uint64_t overRate_ = 0;
};
