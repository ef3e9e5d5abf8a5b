#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/SystemError.h"

namespace {

// The fault for a file that is there but not a regular file, or "" for a regular one.
std::string NotRegular(const struct stat& status) {
    if (S_ISREG(status.st_mode)) {
        return "";
    }
    return S_ISDIR(status.st_mode) ? "a folder, not a file" : "not a regular file";
}

template <typename Buffer>
ReadStatus ReadInto(const std::filesystem::path& file, size_t maxSize, Buffer& bytes, std::string& fault) {
    bytes.clear();
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            return ReadStatus::Missing;
        }
        fault = SystemError("stat");
        return ReadStatus::Failed;
    }
    if (fault = NotRegular(status); !fault.empty()) {
        return ReadStatus::Failed;
    }
    // Without blocking: the entry may have been swapped for a named pipe since it was checked.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return ReadStatus::Missing;
        }
        fault = SystemError("open");
        return ReadStatus::Failed;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &status) != 0) {
        fault = SystemError("stat");
        return ReadStatus::Failed;
    }
    if (fault = NotRegular(status); !fault.empty()) {
        return ReadStatus::Failed;
    }
    if (static_cast<uint64_t>(status.st_size) > maxSize) {
        fault = TooLargeFile(static_cast<uintmax_t>(status.st_size), maxSize);
        return ReadStatus::Failed;
    }
    // Read to the end rather than trusting the size: the file may change while it is read.
    bytes.resize(static_cast<size_t>(status.st_size) + 1);
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxSize) {
                fault = "too large: the file grew over the " + std::to_string(maxSize) +
                        " bytes allowed while read";
                bytes.clear();
                return ReadStatus::Failed;
            }
            bytes.resize(std::min(bytes.size() * 2, maxSize + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            fault = SystemError("read");
            bytes.clear();
            return ReadStatus::Failed;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return ReadStatus::Read;
}

} // namespace

std::string TooLargeFile(uintmax_t size, uintmax_t maxSize) {
    return "too large: a file of " + std::to_string(size) + " bytes, over the " + std::to_string(maxSize) +
           " allowed";
}

ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::vector<uint8_t>& bytes,
                         std::string& fault) {
    return ReadInto(file, maxSize, bytes, fault);
}

ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::string& text,
                         std::string& fault) {
    return ReadInto(file, maxSize, text, fault);
}
