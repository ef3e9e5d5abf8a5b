#include "saves/SlotFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "core/Service.h"
#include "platform/SaveFolder.h"

namespace {

std::string Errno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

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

bool WriteAll(int fd, std::span<const uint8_t> bytes, const SlotFileCalls& calls, std::string& fault) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fault = n < 0 ? Errno("write") : "write: no progress";
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Makes the renames themselves durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::filesystem::path SlotFolder() {
    const SlotFolderOverride* folderOverride = Service<SlotFolderOverride>::TryGet();
    return folderOverride && !folderOverride->Folder.empty() ? folderOverride->Folder : GetSaveFolder();
}

bool IsSlotName(const std::string& slotName) {
    static const std::string prefix = "SavedGame";
    if (slotName.size() <= prefix.size() || slotName.size() > prefix.size() + 9 ||
        slotName.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    for (size_t i = prefix.size(); i < slotName.size(); ++i) {
        if (slotName[i] < '0' || slotName[i] > '9') {
            return false;
        }
    }
    return true;
}

std::filesystem::path SlotPath(const std::string& slotName) {
    return SlotFolder() / (slotName + ".sav");
}

SlotFileCalls SlotFileCalls::System() {
    return {[](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); },
            [](const char* from, const char* to) {
                return ::rename(from, to);
            }};
}

bool ReplaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes, std::string& fault,
                 const SlotFileCalls& calls) {
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        fault = "cannot create the folder " + folder.string() + ": " + error.message();
        return false;
    }
    std::filesystem::path scratch = file;
    scratch += ".tmp";
    std::filesystem::path backup = file;
    backup += ".bak";

    FileDescriptor fd(::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.Get() < 0) {
        fault = Errno("open");
        return false;
    }
    bool ok = WriteAll(fd.Get(), bytes, calls, fault);
    if (ok && calls.Sync(fd.Get()) != 0) {
        fault = Errno("fsync");
        ok = false;
    }
    if (ok && ::close(fd.Release()) != 0) {
        fault = Errno("close");
        ok = false;
    }
    if (ok && std::filesystem::exists(file, error)) {
        // The current save becomes the backup; a hard link keeps the slot in place meanwhile.
        std::filesystem::remove(backup, error);
        if (::link(file.c_str(), backup.c_str()) != 0) {
            std::filesystem::copy_file(file, backup, std::filesystem::copy_options::overwrite_existing,
                                       error);
        }
    }
    if (ok && calls.Rename(scratch.c_str(), file.c_str()) != 0) {
        fault = Errno("rename");
        ok = false;
    }
    if (!ok) {
        std::filesystem::remove(scratch, error);
        return false;
    }
    SyncFolder(folder);
    return true;
}

ReadStatus ReadWholeFile(const std::filesystem::path& file, size_t maxSize, std::vector<uint8_t>& bytes,
                         std::string& fault) {
    bytes.clear();
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ENOENT) {
            return ReadStatus::Missing;
        }
        fault = Errno("open");
        return ReadStatus::Failed;
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        fault = Errno("stat");
        return ReadStatus::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        fault = "not a regular file";
        return ReadStatus::Failed;
    }
    if (static_cast<uint64_t>(status.st_size) > maxSize) {
        fault = "file of " + std::to_string(status.st_size) + " bytes is larger than any saved game";
        return ReadStatus::Failed;
    }
    // Read to the end rather than trusting the size: the file may change while it is read.
    bytes.resize(static_cast<size_t>(status.st_size) + 1);
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxSize) {
                fault = "file grew larger than any saved game while read";
                return ReadStatus::Failed;
            }
            bytes.resize(std::min(bytes.size() * 2, maxSize + 1));
        }
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            fault = Errno("read");
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
