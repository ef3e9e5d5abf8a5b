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
    // Writes to `file` as it goes (truncating it), up to `capacity` bytes and then no more, as a full
    // memory recording stops; empty with `fault` set when it cannot be created.
    static std::unique_ptr<SessionRecording> ToFile(const std::string& file, size_t capacity,
                                                    std::string fullNote, std::string& fault);
    // Keeps up to `capacity` bytes from the session's start in memory, for `file`. Once a frame no
    // longer fits, recording stops there: a replay always starts where the session started, so it is
    // the session's beginning that stays. Then the recording's first line (a comment) becomes
    // `fullNote`, cut or padded to its length, and one line on stderr says so. The file is replaced at
    // once by the recording so far and then appended to every FlushSeconds, so a session killed
    // without warning leaves most of its recording rather than the previous session's.
    static std::unique_ptr<SessionRecording> InMemory(const std::string& file, size_t capacity,
                                                      std::string fullNote = {});
    static constexpr int FlushSeconds = 2;

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
    // It ran out of room: it holds only the session's start.
    bool Full() const { return full_; }
    // The bytes kept so far, whole frames only.
    size_t Size() const { return committed_.load(std::memory_order_relaxed); }
    int64_t LastFrame() const { return committedFrame_.load(std::memory_order_relaxed); }

private:
    SessionRecording(std::string file, size_t capacity, int fd);
    // The async-signal-safe part of Finish and of a crash: writes and closes; false on failure.
    bool WriteOut();
    // A memory recording: creates its file, holding what is kept so far, in place of the old one.
    void OpenFile();
    // A memory recording with its file open: appends the whole frames not yet in it; false on failure.
    // Async-signal-safe.
    bool AppendCommitted();
    void MarkFull();
    static void OnCrash(int signal);

    std::string file_;
    std::string scratch_;       // the memory recording's scratch file, beside it
    std::string crashLine_;     // "; the session's replay is <file>\n", ready before any crash
    std::string fullCrashLine_; // the same for a recording that filled up
    std::string fullNote_;      // the first line of a recording that filled up
    bool full_ = false;
    int fd_ = -1;         // a file recording's descriptor
    bool failed_ = false; // a write failed: nothing more is written
    bool finished_ = false;
    std::unique_ptr<char[]>
        memory_; // a memory recording's bytes; never reallocated, so a crash reads it safely
    size_t capacity_ = 0;
    size_t used_ = 0;            // appended, whole frames or not
    std::string pending_;        // a file recording's frame not yet written
    size_t flushed_ = 0;         // a memory recording's bytes already in its file
    size_t firstLineLength_ = 0; // without its newline; what a full recording's note replaces
    int64_t lastFlush_ = 0;      // when they were written, in monotonic seconds
    std::atomic<size_t> committed_{0};
    std::atomic<int64_t> committedFrame_{0};
    bool catching_ = false;
};
