#pragma once

// Owns a file descriptor: closed when the owner goes, unless released.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Hands the descriptor over; this owns none afterwards.
    int Release();
    // Closes the descriptor now; false when closing it failed (errno tells
    // why). True when there was none.
    bool Close();

private:
    int fd_ = -1;
};
