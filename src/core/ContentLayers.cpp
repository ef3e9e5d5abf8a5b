#include "core/ContentLayers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <system_error>

#include "core/ContentError.h"
#include "core/ContentFolder.h"

namespace fs = std::filesystem;

std::string OverlayEntryFault(const fs::path& entry) {
    std::error_code ec;
    const fs::file_status status = fs::status(entry, ec);
    if (ec && status.type() != fs::file_type::not_found) {
        return "cannot be read (" + ec.message() + ")";
    }
    if (fs::is_directory(status)) {
        return "a folder, not a file";
    }
    if (!fs::is_regular_file(status)) {
        return "not a regular file";
    }
    // Only a regular file is opened: a pipe would block the opening.
    std::ifstream probe(entry, std::ios::binary);
    if (!probe) {
        return "cannot be read (" + std::string(std::strerror(errno)) + ")";
    }
    return "";
}

void WarnOverlayEntry(const fs::path& entry, const std::string& fault) {
    std::fprintf(stderr, "kelvane: %s: %s; the shipped file stands\n", EscapeControls(entry.string()).c_str(),
                 fault.c_str());
}

std::vector<fs::path> ListOverlayFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (fs::symlink_status(folder, ec).type() == fs::file_type::not_found) {
        return files;
    }
    if (const std::string fault = OverlayEntryFault(folder); fault != "a folder, not a file") {
        WarnOverlayEntry(folder, fault.empty() ? "a file, not a folder" : fault);
        return files;
    }
    fs::directory_iterator it(folder, ec);
    if (ec) {
        WarnOverlayEntry(folder, "cannot list the folder (" + ec.message() + ")");
        return files;
    }
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (const std::string fault = OverlayEntryFault(it->path()); !fault.empty()) {
            WarnOverlayEntry(it->path(), fault);
        } else {
            files.push_back(it->path());
        }
    }
    if (ec) {
        WarnOverlayEntry(folder, "cannot list the folder (" + ec.message() + ")");
    }
    return files;
}

fs::path ContentLayers::Find(const fs::path& relative) const {
    if (!Overlay.empty()) {
        const fs::path mine = Overlay / relative;
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(mine, ec);
        if (status.type() != fs::file_type::not_found) {
            if (const std::string fault = OverlayEntryFault(mine); !fault.empty()) {
                WarnOverlayEntry(mine, fault);
            } else {
                return mine;
            }
        }
    }
    return Shipped / relative;
}

std::vector<fs::path> ContentLayers::ListFiles(const fs::path& relative,
                                               std::vector<std::string>* skipped) const {
    std::vector<fs::path> files = ListContentFiles(Shipped / relative, skipped);
    if (Overlay.empty()) {
        return files;
    }
    std::map<fs::path, size_t> byName;
    for (size_t i = 0; i < files.size(); ++i) {
        byName[files[i].filename()] = i;
    }
    for (const fs::path& mine : ListOverlayFiles(Overlay / relative)) {
        auto it = byName.find(mine.filename());
        if (it != byName.end()) {
            files[it->second] = mine;
        } else {
            files.push_back(mine);
        }
    }
    return files;
}
