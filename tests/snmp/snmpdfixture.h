#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/childprocess.h"

// Net-SNMP's snmpd on a free loopback UDP port with a private configuration in
// a temporary directory (persistent files there too):
//   communities "public" (read), "private" (read-write), "sysonly" (read, view
//   limited to the system group, for SNMPv1 walks that run off the view);
//   USM users "md5user" (MD5 "md5password", DES "md5privacy") and "shauser"
//   (SHA "shapassword", AES "shaprivacy"), both read-write with privacy;
//   "authuser" (SHA "authpassword", no privacy), read-only; one user each for
//   the SHA-2 hashes, NAME "<hash>user" with "<hash>password" and
//   "<hash>privacy": "sha224user" (AES-128), "sha256user" (AES-256),
//   "sha384user" (AES-192), "sha512user" (AES-128), read-write with privacy,
//   "sha1aes256" (SHA-1 "sha1aes256password", AES-256 "sha1aes256privacy":
//   a hash shorter than the cipher's key), read-write, and "sha256auth"
//   (SHA-256 "sha256authpass", no privacy), read-only.
class SnmpdFixture {
public:
    SnmpdFixture() = default;
    ~SnmpdFixture();
    SnmpdFixture(const SnmpdFixture&) = delete;
    SnmpdFixture& operator=(const SnmpdFixture&) = delete;

    // Starts the agent and waits until it answers; false (with Error()) when
    // snmpd is missing or does not come up.
    bool Start();
    void Stop();

    uint16_t Port() const { return port_; }
    const std::string& Directory() const { return dir_; }
    const std::string& Error() const { return error_; }
    std::string Endpoint() const { return "127.0.0.1:" + std::to_string(port_); }

    // Runs a Net-SNMP command-line tool (snmpwalk, snmpget, ...) with these
    // arguments and gives its standard output.
    static std::string RunTool(const std::vector<std::string>& arguments);

private:
    bool Launch();
    bool WaitUntilAnswering(int ms);

    std::string dir_;
    std::string error_;
    uint16_t port_ = 0;
    ChildProcess process_;
};

// A loopback UDP port that is bound and never answers (for timeouts).
class SilentPort {
public:
    SilentPort();
    ~SilentPort();
    uint16_t Port() const { return port_; }

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// A free loopback UDP port (bound for a moment, then released).
uint16_t FreeUdpPort();
