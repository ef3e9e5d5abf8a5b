#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Watches folders for files created, deleted, renamed or written (not in their sub-folders), one
// thread per folder, and keeps one change flag per folder for the main thread to take. A folder
// that cannot be watched is simply never flagged. Changes are seen from the end of construction;
// a burst of them (one save is several events) raises the flag once the folder is quiet for 30 ms.
class FolderWatcher {
public:
    // Starts one watcher thread per folder; the folders are read once, here.
    explicit FolderWatcher(std::vector<std::string> folders);
    // Clears the run flag and joins every thread before the folders and flags go.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    std::size_t Count() const { return folders_.size(); }
    const std::string& Folder(std::size_t index) const { return folders_[index]; }

    // Whether folder index changed since the last call; clears its flag, so a change that lands
    // after this call is reported by the next one.
    bool TakeChanged(std::size_t index);

private:
    // The thread of folder index; it owns the notification descriptor and closes it when it ends.
    void Watch(std::size_t index, int notify);

    const std::vector<std::string> folders_;
    // One byte per folder: set by its own thread, tested and cleared by the main thread.
    std::unique_ptr<std::atomic<uint8_t>[]> changed_;
    std::atomic<bool> run_{true};
    // Readable once the watcher is being destroyed, so no thread waits out its poll timeout.
    int stopEvent_ = -1;
    std::vector<std::thread> threads_;
};
