#include "snmpdfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

const char* const kConfig = "rocommunity public 127.0.0.1\n"
                            "rwcommunity private 127.0.0.1\n"
                            "view systemonly included .1.3.6.1.2.1.1\n"
                            "rocommunity sysonly 127.0.0.1 -V systemonly\n"
                            "createUser md5user MD5 md5password DES md5privacy\n"
                            "createUser shauser SHA shapassword AES shaprivacy\n"
                            "rwuser md5user priv\n"
                            "rwuser shauser priv\n"
                            "createUser authuser SHA authpassword\n"
                            "rouser authuser auth\n"
                            "createUser sha224user SHA-224 sha224password AES sha224privacy\n"
                            "createUser sha256user SHA-256 sha256password AES256 sha256privacy\n"
                            "createUser sha384user SHA-384 sha384password AES192 sha384privacy\n"
                            "createUser sha512user SHA-512 sha512password AES sha512privacy\n"
                            "createUser sha256auth SHA-256 sha256authpass\n"
                            "createUser sha1aes256 SHA sha1aes256password AES256 sha1aes256privacy\n"
                            "rwuser sha1aes256 priv\n"
                            "rwuser sha224user priv\n"
                            "rwuser sha256user priv\n"
                            "rwuser sha384user priv\n"
                            "rwuser sha512user priv\n"
                            "rouser sha256auth auth\n";

int BoundUdpSocket(uint16_t& port)
{
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t length = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(a.sin_port);
    return fd;
}

// A minimal SNMPv2c get of sysUpTime.0 with community "public"; true when
// anything comes back.
bool Answers(uint16_t port)
{
    static const unsigned char request[] = {0x30, 0x29, 0x02, 0x01, 0x01, 0x04, 0x06, 'p',  'u',  'b',  'l',
                                            'i',  'c',  0xa0, 0x1c, 0x02, 0x04, 0x12, 0x34, 0x56, 0x78, 0x02,
                                            0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0e, 0x30, 0x0c, 0x06, 0x08,
                                            0x2b, 0x06, 0x01, 0x02, 0x01, 0x01, 0x03, 0x00, 0x05, 0x00};
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    bool answered = false;
    if (::sendto(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&a), sizeof a) > 0) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 200) > 0) {
            unsigned char buffer[1500];
            answered = ::recv(fd, buffer, sizeof buffer, 0) > 0;
        }
    }
    ::close(fd);
    return answered;
}

} // namespace

uint16_t FreeUdpPort()
{
    uint16_t port = 0;
    int fd = BoundUdpSocket(port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

SilentPort::SilentPort()
{
    fd_ = BoundUdpSocket(port_);
}

SilentPort::~SilentPort()
{
    if (fd_ >= 0)
        ::close(fd_);
}

SnmpdFixture::~SnmpdFixture()
{
    Stop();
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

bool SnmpdFixture::Start()
{
    if (dir_.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvsnmpd-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data())) {
            error_ = "cannot create a temporary directory";
            return false;
        }
        dir_ = name.data();
        std::ofstream(dir_ + "/snmpd.conf") << kConfig;
    }
    // The port may be taken between choosing and binding it: try a few.
    for (int attempt = 0; attempt < 5; ++attempt) {
        port_ = FreeUdpPort();
        if (port_ && Launch() && WaitUntilAnswering(10000))
            return true;
        Stop();
    }
    if (error_.empty())
        error_ = "snmpd did not come up (see " + dir_ + "/snmpd.log)";
    return false;
}

bool SnmpdFixture::Launch()
{
    const std::string conf = dir_ + "/snmpd.conf";
    const std::string pidFile = dir_ + "/snmpd.pid";
    const std::string log = dir_ + "/snmpd.log";
    const std::string persistent = dir_ + "/persist";
    const std::string endpoint = "udp:127.0.0.1:" + std::to_string(port_);
    const ChildProcess::Options options{
        .environment = {"SNMP_PERSISTENT_DIR=" + persistent, "MIBS=", "MIBDIRS=" + persistent},
        .out = ChildProcess::Output::appendTo(log),
        .err = ChildProcess::Output::sameAsOut()};
    for (const char* path : {"/usr/sbin/snmpd", "/usr/local/sbin/snmpd", "snmpd"}) {
        if (process_.start({path, "-f", "-Lo", "-C", "-c", conf, "-p", pidFile, "-I", "-smux", endpoint}, options))
            return true;
    }
    error_ = "snmpd is not installed (Debian package snmpd)";
    return false;
}

bool SnmpdFixture::WaitUntilAnswering(int ms)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!process_.running())
            return false;
        if (Answers(port_))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void SnmpdFixture::Stop()
{
    process_.stop(2000);
}

std::string SnmpdFixture::RunTool(const std::vector<std::string>& arguments)
{
    ChildProcess tool;
    if (!tool.start(arguments,
                    {.environment = {"MIBS=", "SNMPCONFPATH=/nonexistent"}, .out = ChildProcess::Output::pipe()}))
        return "";
    std::string output, ignored;
    tool.readOutput(output, ignored, 60000);
    tool.wait(5000);
    return output;
}
