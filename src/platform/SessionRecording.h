#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Keeps the running session's recording (text, appended frame by frame) and makes sure it outlives
// the session: written to its file as it goes, or kept in memory, bounded, and written out whole when
// the session ends, normally, by a fatal error or by a crash signal. Either way the file ends after
// the last whole frame with the line "<frame> end", so a cut recording still reads to its end.
class SessionRecording {
public:
    // Writes to `file` as it goes (truncating it); empty with `fault` set when it cannot be created.
    static std::unique_ptr<SessionRecording> ToFile(const std::string& file, std::string& fault);
    // Keeps up to `capacity` bytes from the session's start in memory, for `file`. Once a frame no
    // longer fits, recording stops there: a replay always starts where the session started, so it is
    // the session's beginning that stays.
    static std::unique_ptr<SessionRecording> InMemory(const std::string& file, size_t capacity);

    ~SessionRecording();
    SessionRecording(const SessionRecording&) = delete;
    SessionRecording& operator=(const SessionRecording&) = delete;

    // Adds text to the frame being recorded.
    void Append(std::string_view text);
    // Frame `frame` is whole: what was appended is kept (a file gets it now, in one write).
    void Commit(int64_t frame);

    // The session ended (normally or by a fatal error): ends the file with the last whole frame's
    // "end" line; a memory recording replaces the file whole, through a scratch file. False when the
    // file could not be written (one line on stderr says so). Nothing is recorded after.
    bool Finish();

    // From now until this object goes, the crash signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT)
    // write the recording as Finish does, using only async-signal-safe calls, print one line naming
    // the file, and then end the process by the signal as before. One recording at a time.
    void CatchCrashes();

    const std::string& File() const { return file_; }
    // The bytes kept so far, whole frames only.
    size_t Size() const { return committed_.load(std::memory_order_relaxed); }
    int64_t LastFrame() const { return committedFrame_.load(std::memory_order_relaxed); }

private:
    SessionRecording(std::string file, size_t capacity, int fd);
    // The async-signal-safe part of Finish and of a crash: writes and closes; false on failure.
    bool WriteOut();
    static void OnCrash(int signal);

    std::string file_;
    std::string scratch_;   // the memory recording's scratch file, beside it
    std::string crashLine_; // "; the session's replay is <file>\n", ready before any crash
    int fd_ = -1;           // a file recording's descriptor
    bool failed_ = false;   // a write failed: nothing more is written
    bool finished_ = false;
    std::unique_ptr<char[]>
        memory_; // a memory recording's bytes; never reallocated, so a crash reads it safely
    size_t capacity_ = 0;
    size_t used_ = 0;     // appended, whole frames or not
    std::string pending_; // a file recording's frame not yet written
    std::atomic<size_t> committed_{0};
    std::atomic<int64_t> committedFrame_{0};
    bool catching_ = false;
};
