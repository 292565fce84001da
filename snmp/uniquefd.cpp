#include "snmp/uniquefd.h"

#include <unistd.h>

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

int UniqueFd::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool UniqueFd::Close()
{
    if (fd_ < 0)
        return true;
    const int fd = Release();
    return ::close(fd) == 0;
}
