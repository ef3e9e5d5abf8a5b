#pragma once

#include <stdexcept>
#include <string>

// Malformed or missing content that start-up needs. Start-up catches it, prints its one-line
// message ("<file>: <problem>") and ends the program with status 1.
class ContentError : public std::runtime_error {
public:
    ContentError(const std::string& file, const std::string& problem)
        : std::runtime_error(file + ": " + problem), file_(file), problem_(problem) {}

    const std::string& File() const { return file_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string file_;
    std::string problem_;
};
