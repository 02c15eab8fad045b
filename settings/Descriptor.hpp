#pragma once

#include <unistd.h>
#include <utility>

namespace Settings {

// An open file descriptor, closed with its owner.
class Descriptor {
  public:
    explicit Descriptor(int opened) : fd(opened) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd; }
    // A file's data may only fail to reach the disk at its close, so that one counts.
    bool Close() { return ::close(std::exchange(fd, -1)) == 0; }

  private:
    int fd;
};

} // namespace Settings
