#include "brokenagent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string Length(size_t n)
{
    if (n < 0x80)
        return std::string(1, static_cast<char>(n));
    std::string bytes;
    while (n) {
        bytes.insert(bytes.begin(), static_cast<char>(n & 0xFF));
        n >>= 8;
    }
    return std::string(1, static_cast<char>(0x80 | bytes.size())) + bytes;
}

std::string Tlv(unsigned char tag, const std::string& content)
{
    return std::string(1, static_cast<char>(tag)) + Length(content.size()) + content;
}

std::string Oid(const std::string& dotted)
{
    std::vector<uint32_t> arcs;
    size_t from = 0;
    while (from <= dotted.size()) {
        size_t dot = dotted.find('.', from);
        if (dot == std::string::npos)
            dot = dotted.size();
        arcs.push_back(static_cast<uint32_t>(std::stoul(dotted.substr(from, dot - from))));
        from = dot + 1;
    }
    std::string content(1, static_cast<char>(arcs[0] * 40 + arcs[1]));
    for (size_t i = 2; i < arcs.size(); ++i) {
        std::string arc(1, static_cast<char>(arcs[i] & 0x7F));
        for (uint32_t v = arcs[i] >> 7; v; v >>= 7)
            arc.insert(arc.begin(), static_cast<char>(0x80 | (v & 0x7F)));
        content += arc;
    }
    return Tlv(0x06, content);
}

// Reads a tag and length at `at`; gives the content's start, or npos.
size_t Enter(const std::string& data, size_t at, size_t& length)
{
    if (at + 2 > data.size())
        return std::string::npos;
    size_t first = static_cast<unsigned char>(data[at + 1]);
    size_t start = at + 2;
    if (first & 0x80) {
        const size_t count = first & 0x7F;
        if (count > 4 || start + count > data.size())
            return std::string::npos;
        first = 0;
        for (size_t i = 0; i < count; ++i)
            first = (first << 8) | static_cast<unsigned char>(data[start + i]);
        start += count;
    }
    length = first;
    return start + length <= data.size() ? start : std::string::npos;
}

} // namespace

BrokenAgent::BrokenAgent(std::vector<std::string> columns, std::vector<Step> script)
    : columns_(std::move(columns)), script_(std::move(script))
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size) != 0)
        return;
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

BrokenAgent::~BrokenAgent()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (fd_ >= 0)
        ::close(fd_);
}

// Message: SEQUENCE { version, community, PDU { request-id, ... } }; the answer
// keeps version, community and request-id.
std::string BrokenAgent::Response(const std::string& request)
{
    size_t length = 0;
    size_t at = Enter(request, 0, length);
    if (at == std::string::npos)
        return "";
    std::string head;
    for (int field = 0; field < 2; ++field) { // version, community
        const size_t start = at;
        const size_t content = Enter(request, at, length);
        if (content == std::string::npos)
            return "";
        at = content + length;
        head += request.substr(start, at - start);
    }
    const size_t pdu = Enter(request, at, length);
    if (pdu == std::string::npos)
        return "";
    const size_t id = Enter(request, pdu, length);
    if (id == std::string::npos)
        return "";
    const std::string requestId = request.substr(pdu, id + length - pdu);

    if (script_.empty())
        return "";
    const int k = answered_;
    const Step& step = script_[static_cast<size_t>(k) % script_.size()];
    std::string bindings;
    for (size_t c = 0; c < columns_.size(); ++c) {
        const std::string& instance = step.size() == 1 ? step[0] : step.at(c);
        bindings += Tlv(0x30, Oid(columns_[c] + "." + instance) + Tlv(0x02, std::string(1, static_cast<char>(k + 1))));
    }
    const std::string zero = Tlv(0x02, std::string(1, '\0'));
    return Tlv(0x30, head + Tlv(0xA2, requestId + zero + zero + Tlv(0x30, bindings)));
}

void BrokenAgent::Serve()
{
    char buffer[2048];
    while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t n = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (n <= 0)
            continue;
        const std::string response = Response(std::string(buffer, static_cast<size_t>(n)));
        if (response.empty())
            continue;
        // Counted before it leaves: whoever receives it sees the count.
        ++answered_;
        ::sendto(fd_, response.data(), response.size(), 0, reinterpret_cast<sockaddr*>(&from), size);
    }
}
