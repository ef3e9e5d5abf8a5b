#pragma once

#include <string>
#include <vector>

// Runs the built game as a player would: the kelvane executable in the folder beside its Content.
struct GameRun {
    int ExitCode = -1; // -1 when it did not exit normally (signal)
    std::string Stdout;
    std::string Stderr;
};

// Starts bin/kelvane with the arguments and extra environment entries ("NAME=value"; "NAME=" unsets
// NAME), waits for it and returns what it printed.
GameRun RunGame(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

// Starts it without waiting; returns the process id.
int StartGame(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
// Waits for a started game; returns its exit code, or -1 after a signal or the timeout (then kills it).
int WaitForGame(int pid, double timeoutSeconds);
