#include "platform/SessionRecording.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <time.h>
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

// pwrite(2) until done; false on an error. Async-signal-safe.
bool WriteAllAt(int fd, const char* data, size_t size, size_t offset) {
    while (size > 0) {
        const ssize_t written = pwrite(fd, data, size, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
        offset += static_cast<size_t>(written);
    }
    return true;
}

int64_t MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec);
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

// "<frame> end\n" after the last whole frame into line (at least 32 bytes); nothing before the first
// (frames count from 1). Returns the length.
size_t EndLine(int64_t frame, char* line) {
    if (frame < 1) {
        return 0;
    }
    size_t length = FormatDecimal(frame, line);
    std::memcpy(line + length, " end\n", 5);
    return length + 5;
}

bool WriteEndLine(int fd, int64_t frame) {
    char line[32];
    return WriteAll(fd, line, EndLine(frame, line));
}

void WriteStderr(const char* text) {
    WriteAll(STDERR_FILENO, text, std::strlen(text));
}

} // namespace

SessionRecording::SessionRecording(std::string file, size_t capacity, int fd)
    : file_(std::move(file)), fd_(fd), capacity_(capacity) {
    scratch_ = file_ + "." + std::to_string(getpid()) + ".tmp";
    crashLine_ = "; the session's replay is " + file_ + "\n";
    fullCrashLine_ = "; the replay of the session's start only (its recording filled up) is " + file_ + "\n";
    if (capacity_ > 0) {
        // Reserved, not touched: the pages cost memory only as the recording grows into them.
        memory_.reset(new char[capacity_]);
    }
}

std::unique_ptr<SessionRecording> SessionRecording::ToFile(const std::string& file, size_t capacity,
                                                           std::string fullNote, std::string& fault) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fault = std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<SessionRecording> recording(new SessionRecording(file, 0, fd));
    recording->capacity_ = capacity;
    recording->fullNote_ = std::move(fullNote);
    return recording;
}

std::unique_ptr<SessionRecording> SessionRecording::InMemory(const std::string& file, size_t capacity,
                                                             std::string fullNote) {
    std::unique_ptr<SessionRecording> recording(new SessionRecording(file, capacity, -1));
    recording->fullNote_ = std::move(fullNote);
    recording->OpenFile();
    return recording;
}

void SessionRecording::OpenFile() {
    // Through the scratch file: the old recording is replaced whole, never cut by a second writer.
    const int fd = open(scratch_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return; // written out whole at the end instead, or said then that it cannot be
    }
    if (rename(scratch_.c_str(), file_.c_str()) != 0) {
        close(fd);
        unlink(scratch_.c_str());
        return;
    }
    fd_ = fd;
    flushed_ = 0;
    lastFlush_ = MonotonicSeconds();
}

bool SessionRecording::AppendCommitted() {
    const size_t size = committed_.load(std::memory_order_acquire);
    // At its own offsets: a crash during a flush writes the same bytes again, in the same place.
    if (size > flushed_ && !WriteAllAt(fd_, memory_.get() + flushed_, size - flushed_, flushed_)) {
        return false;
    }
    flushed_ = size;
    return true;
}

void SessionRecording::MarkFull() {
    full_ = true;
    const size_t lineLength = std::min(firstLineLength_, committed_.load(std::memory_order_acquire));
    if (lineLength > 0 && !fullNote_.empty()) {
        // The same length, so nothing after it moves: the file may already hold the lines after it.
        std::string note = fullNote_.substr(0, lineLength);
        note.resize(lineLength, ' ');
        if (memory_) {
            std::memcpy(memory_.get(), note.data(), lineLength);
        }
        const size_t inFile = memory_ ? flushed_ : committed_.load(std::memory_order_acquire);
        if (fd_ >= 0 && inFile > 0) {
            WriteAllAt(fd_, note.data(), std::min(lineLength, inFile), 0);
        }
    }
    const bool megabytes = capacity_ % (1u << 20) == 0;
    std::fprintf(stderr, "kelvane: the session's recording is full (%zu %s): %s keeps only its start\n",
                 megabytes ? capacity_ >> 20 : capacity_, megabytes ? "MB" : "bytes", file_.c_str());
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
    if (used_ == 0 && pending_.empty() && firstLineLength_ == 0) {
        firstLineLength_ = std::min(text.find('\n'), text.size());
    }
    if (!memory_) {
        if (text.size() > capacity_ - std::min(capacity_, used_ + pending_.size())) {
            failed_ = true; // full: the frames written so far stay, nothing is added
            pending_.clear();
            MarkFull();
            return;
        }
        pending_ += text;
        return;
    }
    if (text.size() > capacity_ - used_) {
        failed_ = true; // full: the frames kept so far stay, nothing is added
        MarkFull();
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
    if (memory_ && fd_ >= 0 && (frame <= 1 || MonotonicSeconds() - lastFlush_ >= FlushSeconds)) {
        lastFlush_ = MonotonicSeconds();
        if (!AppendCommitted()) {
            close(fd_); // written out whole at the end instead
            fd_ = -1;
        }
    }
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
    if (fd_ >= 0) {
        char line[32];
        const size_t lineLength = EndLine(frame, line);
        const bool written = AppendCommitted() && WriteAllAt(fd_, line, lineLength, size) &&
                             ftruncate(fd_, static_cast<off_t>(size + lineLength)) == 0;
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
            WriteStderr(recording->full_ ? recording->fullCrashLine_.c_str() : recording->crashLine_.c_str());
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
