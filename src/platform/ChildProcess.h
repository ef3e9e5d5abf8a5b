#pragma once

#include <string>
#include <vector>

// What a finished child process left behind.
struct ChildProcessResult {
    bool Started = false;   // false when the program could not be started at all
    int ExitStatus = -1;    // its exit status; -1 when it was ended by a signal
    std::string Output;     // what it wrote to its standard output and error, interleaved
    std::string StartError; // why it could not be started

    bool Succeeded() const { return Started && ExitStatus == 0; }
    // The last non-empty line of Output, without its line break.
    std::string LastLine() const;
};

// Runs program (a path, or a bare name looked up on PATH) with the arguments in workingFolder, with
// the caller's environment and no input, and waits for it to end.
ChildProcessResult RunChildProcess(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& workingFolder);

// Whether a bare program name is found as an executable file on PATH.
bool IsProgramOnPath(const std::string& name);
