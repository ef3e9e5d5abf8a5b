#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/ContentError.h"

// The regular files directly in a content folder, in the order the file system returns them (links
// to regular files count). Nothing here throws anything but ContentError: a folder that cannot be
// listed is refused naming the folder; an entry whose type cannot be read (a symbolic-link loop, a
// folder without permission) is refused naming the entry, or, when `skipped` is given, left out
// and described there as "<entry>: <reason>" for the caller to warn about. Dangling links are left
// out silently, as any other entry that is not a regular file.
inline std::vector<std::filesystem::path> ListContentFiles(const std::filesystem::path& folder,
                                                           std::vector<std::string>* skipped = nullptr) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    const fs::directory_iterator end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        const fs::file_status status = it->status(statusError);
        if (status.type() == fs::file_type::none) {
            const std::string reason = "cannot be read (" + statusError.message() + ")";
            if (!skipped) {
                throw ContentError(it->path().string(), reason);
            }
            skipped->push_back(it->path().string() + ": " + reason);
            continue;
        }
        if (fs::is_regular_file(status)) {
            files.push_back(it->path());
        }
    }
    if (ec) {
        throw ContentError(folder.string(), "cannot list the folder (" + ec.message() + ")");
    }
    return files;
}
