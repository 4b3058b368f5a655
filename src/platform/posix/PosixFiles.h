#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

// Whole-file reads and writes on a descriptor, shared by the file systems on host folders.
// Each returns false with errno set when the system refuses.
namespace galemend {

// An open descriptor, closed with its owner.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    // Closes now, so that a write the system could not finish is reported.
    bool Close() {
        const int open = fd;
        fd = -1;
        return ::close(open) == 0;
    }
};

// The whole file in one read where the system allows; a file that shrinks meanwhile is cut
// where it ends.
inline bool ReadWhole(int fd, std::string& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return true;
}

inline bool WriteWhole(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

}  // namespace galemend
