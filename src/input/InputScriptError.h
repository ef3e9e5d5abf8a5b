#pragma once

#include <stdexcept>
#include <string>

// A script file that cannot be read or has a malformed line. what() is "<file>:<line>: <problem>", or
// "<file>: <problem>" when no line is at fault (line 0).
class InputScriptError : public std::runtime_error {
public:
    InputScriptError(const std::string& file, int line, const std::string& problem)
        : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + problem),
          file_(file), line_(line), problem_(problem) {}

    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string file_;
    int line_;
    std::string problem_;
};
