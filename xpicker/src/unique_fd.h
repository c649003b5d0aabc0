// Owns a file descriptor and closes it when it goes out of scope.
#pragma once

#include <unistd.h>

#include <utility>

namespace xpicker {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd, bool owned = true) : fd_(fd), owned_(owned) {}
    UniqueFd(UniqueFd&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)), owned_(other.owned_) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
            owned_ = other.owned_;
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset() {
        if (fd_ >= 0 && owned_) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    bool owned_ = true;  // standard input is borrowed, not closed
};

}  // namespace xpicker
