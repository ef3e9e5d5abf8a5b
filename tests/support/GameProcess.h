#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"

// Runs the built game as a player would: the kelvane executable in the folder beside its Content.
struct GameRun {
    int ExitCode = -1; // -1 when it did not exit normally (signal)
    std::string Stdout;
    std::string Stderr;
};

// Starts bin/kelvane with the arguments and extra environment entries ("NAME=value"; "NAME=" unsets
// NAME), waits for it and returns what it printed.
GameRun RunGame(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
// The same, from another working folder, reading the Content folder in it (--content), which must
// be there to get far.
GameRun RunGameIn(const std::string& folder, const std::vector<std::string>& args,
                  const std::vector<std::string>& env = {});

// A scratch working folder holding a copy of the built Content folder, removed with this object.
// Tests break one file in it and run the game there.
class ContentCopy {
public:
    ContentCopy();
    ~ContentCopy();
    ContentCopy(const ContentCopy&) = delete;
    ContentCopy& operator=(const ContentCopy&) = delete;

    const std::string& Folder() const { return folder_; }
    // Replaces (or creates) the file at the path relative to the folder.
    void Write(const std::string& relativePath, const std::string& text) const;
    void Remove(const std::string& relativePath) const;

private:
    std::unique_ptr<TestFolder> scratch_;
    std::string folder_;
};

// Starts it without waiting; returns the process id.
int StartGame(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
// Waits for a started game; returns its exit code, or -1 after a signal or the timeout (then kills it).
int WaitForGame(int pid, double timeoutSeconds);
