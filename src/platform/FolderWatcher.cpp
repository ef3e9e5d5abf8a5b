#include "platform/FolderWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace {

// File-name changes and finished writes; IN_ONLYDIR refuses anything that is not a folder.
constexpr uint32_t WatchedEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ONLYDIR;
// How long a thread waits for events before it looks at the run flag again.
constexpr int PollTimeoutMs = 100;
// A change is reported once its folder has been quiet this long, or has kept changing for the most.
constexpr int SettleMs = 30;
constexpr int MaxSettleMs = 300;

} // namespace

FolderWatcher::FolderWatcher(std::vector<std::string> folders)
    : folders_(std::move(folders)), changed_(new std::atomic<uint8_t>[folders_.size()]) {
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        changed_[i].store(0);
    }
    stopEvent_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    threads_.reserve(folders_.size());
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        // Opened here rather than in the thread, so no change made after construction is missed.
        const int notify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (notify >= 0 && inotify_add_watch(notify, folders_[i].c_str(), WatchedEvents) >= 0) {
            threads_.emplace_back(&FolderWatcher::Watch, this, i, notify);
        } else if (notify >= 0) {
            close(notify);
        }
    }
}

FolderWatcher::~FolderWatcher() {
    run_.store(false);
    if (stopEvent_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(stopEvent_, &one, sizeof one);
    }
    for (std::thread& thread : threads_) {
        thread.join();
    }
    if (stopEvent_ >= 0) {
        close(stopEvent_);
    }
}

bool FolderWatcher::TakeChanged(std::size_t index) {
    return changed_[index].exchange(0) != 0;
}

void FolderWatcher::Watch(std::size_t index, int notify) {
    using Clock = std::chrono::steady_clock;
    alignas(inotify_event) char buffer[4096];
    bool watching = true;
    // A save arrives as several events (create, writes, close, rename); the flag goes up once they
    // settle, so whoever takes it reads whole files.
    bool pending = false;
    Clock::time_point pendingSince;
    while (watching && run_.load()) {
        pollfd waits[2] = {{notify, POLLIN, 0}, {stopEvent_, POLLIN, 0}};
        const int ready = poll(waits, stopEvent_ >= 0 ? 2 : 1, pending ? SettleMs : PollTimeoutMs);
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready > 0 && (waits[0].revents & POLLIN)) {
            ssize_t length = 0;
            while ((length = read(notify, buffer, sizeof buffer)) > 0) {
                for (ssize_t at = 0; at < length;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                    if (event->mask & IN_IGNORED) {
                        watching = false; // the folder itself is gone
                    } else if (!pending) {
                        pending = true;
                        pendingSince = Clock::now();
                    }
                    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                }
            }
        }
        // Quiet since the last event, or changing for too long to wait any more.
        if (pending &&
            (ready == 0 || Clock::now() - pendingSince >= std::chrono::milliseconds(MaxSettleMs))) {
            changed_[index].store(1);
            pending = false;
        }
    }
    close(notify);
}
