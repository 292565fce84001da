#include "platform/kvfilelock.h"

#include <sys/file.h>

#include <cerrno>
#include <chrono>
#include <thread>

int KvLockExclusive(int fd, int waitMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int failed = errno;
        if ((failed != EWOULDBLOCK && failed != EINTR) || std::chrono::steady_clock::now() >= until)
            return failed == EINTR ? EWOULDBLOCK : failed;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}
