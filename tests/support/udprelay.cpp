#include "tests/support/udprelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

struct UdpRelay::Manager {
    sockaddr_in address{};
    int upstreamFd = -1; // connected to the agent
};

namespace {

sockaddr_in Loopback(const std::string& address, unsigned short port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &a.sin_addr);
    return a;
}

int BoundSocket(const std::string& address, std::string& error)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    const sockaddr_in a = Loopback(address, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        error = "bind " + address + ": " + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

} // namespace

UdpRelay::UdpRelay(unsigned short agentPort, Options options) : agentPort_(agentPort), options_(std::move(options)) {}

UdpRelay::~UdpRelay()
{
    stop();
}

bool UdpRelay::start(std::string* error)
{
    std::string message;
    auto fail = [&](const std::string& text) {
        if (error)
            *error = text;
        stop();
        return false;
    };
    listenFd_ = BoundSocket("127.0.0.1", message);
    if (listenFd_ < 0)
        return fail(message);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&bound), &length);
    port_ = ntohs(bound.sin_port);
    if (options_.answerFrom != "127.0.0.1") {
        answerFd_ = BoundSocket(options_.answerFrom, message);
        if (answerFd_ < 0)
            return fail(message);
    }
    stopping_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void UdpRelay::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    for (Manager* m : managers_) {
        ::close(m->upstreamFd);
        delete m;
    }
    managers_.clear();
    for (int* fd : {&listenFd_, &answerFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void UdpRelay::Run()
{
    std::vector<uint8_t> buffer(65536);
    while (!stopping_) {
        std::vector<pollfd> fds{{listenFd_, POLLIN, 0}};
        for (Manager* m : managers_)
            fds.push_back({m->upstreamFd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 20) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const ssize_t n =
                ::recvfrom(listenFd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
            if (n > 0) {
                Manager* manager = nullptr;
                for (Manager* m : managers_)
                    if (SameAddress(m->address, from))
                        manager = m;
                if (!manager) {
                    std::string ignored;
                    const int fd = BoundSocket("127.0.0.1", ignored);
                    const sockaddr_in agent = Loopback("127.0.0.1", agentPort_);
                    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&agent), sizeof agent) == 0) {
                        manager = new Manager{from, fd};
                        managers_.push_back(manager);
                    } else if (fd >= 0) {
                        ::close(fd);
                    }
                }
                if (manager) {
                    std::vector<uint8_t> datagram(buffer.begin(), buffer.begin() + n);
                    if (options_.tamperRequest)
                        options_.tamperRequest(datagram);
                    ::send(manager->upstreamFd, datagram.data(), datagram.size(), MSG_DONTWAIT);
                    ++requests_;
                }
            }
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            Manager* manager = managers_[i - 1];
            const ssize_t n = ::recv(manager->upstreamFd, buffer.data(), buffer.size(), MSG_DONTWAIT);
            if (n <= 0)
                continue; // nothing, or the agent is gone (ICMP)
            std::vector<uint8_t> datagram(buffer.begin(), buffer.begin() + n);
            if (options_.tamperAnswer)
                options_.tamperAnswer(datagram);
            const auto* to = reinterpret_cast<const sockaddr*>(&manager->address);
            if (options_.forgeAnswer && answerFd_ >= 0) {
                std::vector<uint8_t> forged = datagram;
                options_.forgeAnswer(forged);
                ::sendto(answerFd_, forged.data(), forged.size(), MSG_DONTWAIT, to, sizeof manager->address);
                ::sendto(listenFd_, datagram.data(), datagram.size(), MSG_DONTWAIT, to, sizeof manager->address);
            } else {
                const int out = answerFd_ >= 0 ? answerFd_ : listenFd_;
                ::sendto(out, datagram.data(), datagram.size(), MSG_DONTWAIT, to, sizeof manager->address);
            }
            ++answers_;
        }
    }
}
