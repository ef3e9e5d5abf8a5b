#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Where the game reads its content: the shipped Content folder and, when that folder cannot be
// written (an installed game), the player's own overlay on top of it. A file in the overlay
// replaces the shipped file of the same relative path; a file only in the overlay adds to the
// shipped ones. Without an overlay everything is read from and written to the shipped folder.
struct ContentLayers {
    std::filesystem::path Shipped;
    std::filesystem::path Overlay; // empty: the shipped folder is written in place

    // Where the game writes content: the overlay when there is one, else the shipped folder.
    std::filesystem::path Writable() const { return Overlay.empty() ? Shipped : Overlay; }

    // The file at relative in the overlay when it is there, else in the shipped folder (whether or
    // not it exists: the caller reports a missing file under its shipped name).
    std::filesystem::path Find(const std::filesystem::path& relative) const;

    // The regular files directly in the folder at relative, the overlay's replacing shipped ones of
    // the same name (in the shipped file's place) and its new ones after them. Throws ContentError
    // as ListContentFiles does; an overlay without that folder adds nothing.
    std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& relative,
                                                 std::vector<std::string>* skipped = nullptr) const;
};
