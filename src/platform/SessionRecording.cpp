#include "platform/SessionRecording.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t CrashSignalCount = sizeof CrashSignals / sizeof CrashSignals[0];

// The recording a crash writes; the handlers it replaced, put back when it goes.
std::atomic<SessionRecording*> crashRecording{nullptr};
struct sigaction previousActions[CrashSignalCount];
// A stack of its own, so a crash by stack overflow can still be handled. Never freed: a crash during
// the program's exit may still run on it.
char* crashStack = nullptr;
constexpr size_t CrashStackSize = 64 * 1024;

// write(2) until done; false on an error. Async-signal-safe.
bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Decimal digits of a non-negative number into text (at least 21 bytes); returns the length.
// Async-signal-safe, unlike the formatting functions of the C library.
size_t FormatDecimal(int64_t value, char* text) {
    char reversed[24];
    size_t length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && length < sizeof reversed);
    for (size_t i = 0; i < length; ++i) {
        text[i] = reversed[length - 1 - i];
    }
    return length;
}

// "<frame> end\n" after the last whole frame; nothing before the first (frames count from 1).
bool WriteEndLine(int fd, int64_t frame) {
    if (frame < 1) {
        return true;
    }
    char line[32];
    size_t length = FormatDecimal(frame, line);
    std::memcpy(line + length, " end\n", 5);
    return WriteAll(fd, line, length + 5);
}

void WriteStderr(const char* text) {
    WriteAll(STDERR_FILENO, text, std::strlen(text));
}

} // namespace

SessionRecording::SessionRecording(std::string file, size_t capacity, int fd)
    : file_(std::move(file)), fd_(fd), capacity_(capacity) {
    scratch_ = file_ + "." + std::to_string(getpid()) + ".tmp";
    crashLine_ = "; the session's replay is " + file_ + "\n";
    if (capacity_ > 0) {
        // Reserved, not touched: the pages cost memory only as the recording grows into them.
        memory_.reset(new char[capacity_]);
    }
}

std::unique_ptr<SessionRecording> SessionRecording::ToFile(const std::string& file, std::string& fault) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fault = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<SessionRecording>(new SessionRecording(file, 0, fd));
}

std::unique_ptr<SessionRecording> SessionRecording::InMemory(const std::string& file, size_t capacity) {
    return std::unique_ptr<SessionRecording>(new SessionRecording(file, capacity, -1));
}

SessionRecording::~SessionRecording() {
    if (catching_) {
        SessionRecording* self = this;
        crashRecording.compare_exchange_strong(self, nullptr);
        for (size_t i = 0; i < CrashSignalCount; ++i) {
            sigaction(CrashSignals[i], &previousActions[i], nullptr);
        }
    }
    if (fd_ >= 0) {
        close(fd_);
    }
}

void SessionRecording::Append(std::string_view text) {
    if (finished_ || failed_) {
        return;
    }
    if (!memory_) {
        pending_ += text;
        return;
    }
    if (text.size() > capacity_ - used_) {
        failed_ = true; // full: the frames kept so far stay, nothing is added
        return;
    }
    std::memcpy(memory_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void SessionRecording::Commit(int64_t frame) {
    if (finished_ || failed_) {
        return;
    }
    if (!memory_ && !pending_.empty()) {
        if (!WriteAll(fd_, pending_.data(), pending_.size())) {
            std::fprintf(stderr, "kelvane: cannot write the recording %s (%s); recording stops\n",
                         file_.c_str(), std::strerror(errno));
            failed_ = true;
            return;
        }
        used_ += pending_.size();
        pending_.clear();
    }
    committed_.store(used_, std::memory_order_release);
    committedFrame_.store(frame, std::memory_order_release);
}

bool SessionRecording::WriteOut() {
    const size_t size = committed_.load(std::memory_order_acquire);
    const int64_t frame = committedFrame_.load(std::memory_order_acquire);
    if (!memory_) {
        // A frame cut off half-written by the crash goes: the file ends after the last whole one.
        const bool written = fd_ >= 0 && ftruncate(fd_, static_cast<off_t>(size)) == 0 &&
                             lseek(fd_, 0, SEEK_END) >= 0 && WriteEndLine(fd_, frame);
        return close(fd_) == 0 && written;
    }
    const int fd = open(scratch_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, memory_.get(), size) && WriteEndLine(fd, frame);
    if (close(fd) != 0 || !written || rename(scratch_.c_str(), file_.c_str()) != 0) {
        unlink(scratch_.c_str());
        return false;
    }
    return true;
}

bool SessionRecording::Finish() {
    if (finished_) {
        return true;
    }
    SessionRecording* self = this;
    crashRecording.compare_exchange_strong(self, nullptr); // no crash writes it a second time
    finished_ = true;
    const bool written = WriteOut();
    fd_ = -1;
    if (!written) {
        std::fprintf(stderr, "kelvane: cannot write the session's replay %s (%s)\n", file_.c_str(),
                     std::strerror(errno));
    }
    return written;
}

void SessionRecording::OnCrash(int signal) {
    const int savedErrno = errno;
    SessionRecording* recording = crashRecording.exchange(nullptr);
    char number[24];
    number[FormatDecimal(signal, number)] = '\0';
    WriteStderr("kelvane: crashed (signal ");
    WriteStderr(number);
    WriteStderr(")");
    if (recording != nullptr && !recording->finished_) {
        recording->finished_ = true;
        if (recording->WriteOut()) {
            WriteStderr(recording->crashLine_.c_str());
        } else {
            WriteStderr("; the session's replay could not be written\n");
        }
    } else {
        WriteStderr("\n");
    }
    errno = savedErrno;
    // Die by the same signal, as without this handler: the default action, delivered on return.
    std::signal(signal, SIG_DFL);
    raise(signal);
}

void SessionRecording::CatchCrashes() {
    if (catching_) {
        return;
    }
    stack_t current{};
    if (!crashStack && sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) != 0) {
        // Only where the thread has none yet: a sanitizer's own stack stays in place.
        crashStack = new char[CrashStackSize];
        stack_t stack{};
        stack.ss_sp = crashStack;
        stack.ss_size = CrashStackSize;
        sigaltstack(&stack, nullptr);
    }
    struct sigaction action {};
    action.sa_handler = &SessionRecording::OnCrash;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < CrashSignalCount; ++i) {
        sigaction(CrashSignals[i], &action, &previousActions[i]);
    }
    crashRecording.store(this);
    catching_ = true;
}
