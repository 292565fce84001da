#pragma once
// The --log file: one line per received PDU, written and flushed at once.
//
//   SET v2c write: 1.3.6.1.4.1.32473.12.2.1.3.1.5.3 INTEGER 4 | 1.3.6... STRING "abc"
//   GETBULK v2c read non-repeaters=0 max-repetitions=10: 1.3.6.1.2.1.2 NULL
//   GET v3 sha-user authPriv: 1.3.6.1.2.1.1.5.0 NULL
//   GET v2c read (dropped): 1.3.6.1.2.1.1.3.0 NULL
//
// A community is written as the word the agent gives it ("read", "write"),
// "unknown" for any other text and "-" for none: never as its text.
//
// Types: INTEGER, STRING, OID, IPADDRESS, COUNTER32, GAUGE32, TIMETICKS,
// COUNTER64, OPAQUE, NULL. A STRING value is written "quoted" when every
// octet is printable, otherwise as 0x followed by hexadecimal digits.

#include <cstdio>
#include <string>
#include <vector>

struct snmp_pdu;

class SimPduLog {
public:
    SimPduLog() = default;
    ~SimPduLog();
    SimPduLog(const SimPduLog&) = delete;
    SimPduLog& operator=(const SimPduLog&) = delete;

    struct Community {
        std::string text;
        std::string word; // what the log writes for it
    };

    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    // The communities the agent knows.
    void SetCommunities(std::vector<Community> communities) { communities_ = std::move(communities); }

    // The line for a PDU; `note` (may be empty) is shown in parentheses
    // before the colon, for example "dropped".
    std::string Format(const snmp_pdu* pdu, const std::string& note) const;
    void Write(const snmp_pdu* pdu, const std::string& note);

private:
    // The word for a PDU's community.
    std::string CommunityWord(const snmp_pdu* pdu) const;

    std::FILE* file_ = nullptr;
    std::vector<Community> communities_;
};
