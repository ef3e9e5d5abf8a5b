#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/SystemError.h"

namespace {

// Closes the descriptor when the scope ends unless released.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes, const FileWriteCalls& calls, std::string& fault) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fault = n < 0 ? SystemError("write") : "write: no progress";
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A new file no one else can have opened: O_EXCL refuses an existing entry of the name, whatever it
// is or points to. An entry left there (a crashed write, or a planted link) is unlinked, which never
// touches what a link points to, and the creation tried once more.
int CreateScratch(const std::filesystem::path& scratch, std::string& fault) {
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(scratch.c_str(), flags, 0644);
    if (fd < 0 && errno == EEXIST && ::unlink(scratch.c_str()) == 0) {
        fd = ::open(scratch.c_str(), flags, 0644);
    }
    if (fd < 0) {
        fault = SystemError("open") + " (" + scratch.string() + ")";
    }
    return fd;
}

// The current file becomes the backup; a hard link keeps the file in place meanwhile. Only a regular
// file is kept: a link planted at the file's name is not followed into a copy.
void KeepBackup(const std::filesystem::path& file) {
    std::filesystem::path backup = file;
    backup += ".bak";
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    ::unlink(backup.c_str());
    if (::link(file.c_str(), backup.c_str()) != 0) {
        return; // without a backup the save still goes ahead
    }
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileWriteCalls FileWriteCalls::System() {
    return {[](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); },
            [](const char* from, const char* to) {
                return ::rename(from, to);
            }};
}

bool WriteFileAtomically(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                         std::string& fault, const AtomicFileOptions& options, const FileWriteCalls& calls) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    if (!folder.empty() && options.CreateFolder) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            fault = "cannot create the folder " + folder.string() + ": " + error.message();
            return false;
        }
    }
    std::filesystem::path scratch = file;
    scratch += options.SharedFile ? ".tmp" + std::to_string(::getpid()) : std::string(".tmp");

    FileDescriptor fd(CreateScratch(scratch, fault));
    if (fd.Get() < 0) {
        return false;
    }
    bool ok = WriteAll(fd.Get(), bytes, calls, fault);
    if (ok && calls.Sync(fd.Get()) != 0) {
        fault = SystemError("fsync");
        ok = false;
    }
    if (ok && ::close(fd.Release()) != 0) {
        fault = SystemError("close");
        ok = false;
    }
    if (ok && options.KeepBackup) {
        KeepBackup(file);
    }
    if (ok && calls.Rename(scratch.c_str(), file.c_str()) != 0) {
        fault = SystemError("rename");
        ok = false;
    }
    if (!ok) {
        ::unlink(scratch.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view text, std::string& fault,
                         const AtomicFileOptions& options) {
    return WriteFileAtomically(
        file, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()), fault,
        options);
}
