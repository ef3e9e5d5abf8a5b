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
    // not it exists: the caller reports a missing file under its shipped name). An overlay entry
    // that is no readable regular file is passed over with a warning (see ListOverlayFiles).
    std::filesystem::path Find(const std::filesystem::path& relative) const;

    // The regular files directly in the folder at relative, the overlay's replacing shipped ones of
    // the same name (in the shipped file's place) and its new ones after them. Throws ContentError
    // as ListContentFiles does for the shipped folder; the overlay's folder is read as
    // ListOverlayFiles reads it.
    std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& relative,
                                                 std::vector<std::string>* skipped = nullptr) const;
};

// The overlay is the player's, and whatever they left in it never stops the game: every entry of an
// overlay folder that is not a readable regular file (a folder, a named pipe, a link to a device or
// to itself, a file without read permission) gets one warning line naming it, and the shipped file
// stands in its place. A folder that cannot be listed gets one line and adds nothing; a missing one
// adds nothing, silently.
std::vector<std::filesystem::path> ListOverlayFiles(const std::filesystem::path& folder);
// Why the overlay entry cannot stand for a shipped file, or "" when it can.
std::string OverlayEntryFault(const std::filesystem::path& entry);
// The warning line for such an entry.
void WarnOverlayEntry(const std::filesystem::path& entry, const std::string& fault);
