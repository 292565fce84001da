#pragma once
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <deque>

// One notification of the switch as the program shows it.
struct KvEvent {
    QDateTime time;    // when it was received (local time)
    QString type;      // "linkDown"; the dotted OID when it has no name
    QString trapOid;   // dotted
    int port = 0;      // the switch port it concerns, 0 for none
    QString variables; // "ifIndex.7 = 7; ifAdminStatus.7 = down(2)"
    QString how;       // "v2c trap", "v3 inform", ...
};

// The session's events, oldest first, at most kCapacity of them: when more
// come the oldest go (and are counted).
class KvEventLog {
public:
    static constexpr size_t kCapacity = 10000;

    explicit KvEventLog(size_t capacity = kCapacity) : capacity_(capacity) {}

    void Add(KvEvent event);
    const std::deque<KvEvent>& Events() const { return events_; }
    // Events added since the start, and how many of them went for the bound.
    uint64_t Added() const { return added_; }
    uint64_t Discarded() const { return added_ - events_.size(); }
    // Number (counted from 0 since the start) of the oldest event held.
    uint64_t FirstNumber() const { return Discarded(); }
    size_t Capacity() const { return capacity_; }

private:
    size_t capacity_;
    std::deque<KvEvent> events_;
    uint64_t added_ = 0;
};
