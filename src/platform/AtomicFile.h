#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>

// Every file the game and its tools write whole goes through here, so that a reader (the game itself,
// a hot reload, a crash) sees the old file or the whole new one, and so that nothing planted beside
// the file (a link where the scratch file goes) can redirect the write elsewhere. The one exception is
// the session's recording (SessionRecording), which writes its file with plain system calls of its
// own: it must be written from a crash signal's handler, where only async-signal-safe calls may run.

// The system calls the writer makes, replaceable so a test can make them fail part-way.
struct FileWriteCalls {
    std::function<ssize_t(int fd, const void* data, size_t size)> Write;
    std::function<int(int fd)> Sync;
    std::function<int(const char* from, const char* to)> Rename;

    static FileWriteCalls System();
};

struct AtomicFileOptions {
    // The file replaced stays as "<file>.bak".
    bool KeepBackup = false;
    // The scratch name carries the process id: two processes may write the same file at once.
    bool SharedFile = false;
    // The folder is made when missing; off where a missing folder means a wrong name.
    bool CreateFolder = true;
};

// Replaces file whole or not at all: creates the scratch file "<file>.tmp" beside it exclusively (an
// existing entry of that name, a link included, is removed, never followed), writes and syncs it and
// renames it over file (a link at file is replaced, not followed). On
// failure file is as it was, the scratch file is gone and fault says what failed.
bool WriteFileAtomically(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                         std::string& fault, const AtomicFileOptions& options = {},
                         const FileWriteCalls& calls = FileWriteCalls::System());
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view text, std::string& fault,
                         const AtomicFileOptions& options = {});
