#pragma once

#include <map>
#include <string>

#include "audio/MusicMetadata.h"

// The catalogue of music tracks: every file of the music folder (not its subfolders) is a track
// named by its stem, except ".json" files (extension in any letter case), which give the loop points
// of the track with the same stem. Nothing here plays music.
class MusicManager {
public:
    // Builds the catalogue once. Of two tracks with the same stem the one the folder listing yields
    // last wins. A metadata file that cannot be read, lacks a key or holds a non-integer costs one
    // warning line on stderr and leaves that track's loop points at -1. A missing folder gives an
    // empty catalogue.
    explicit MusicManager(const std::string& musicFolder = "Content/Music");

    const std::map<std::string, MusicMetadata>& Tracks() const { return tracks_; }
    // Null when there is no track of exactly that name.
    const MusicMetadata* FindTrack(const std::string& name) const;

private:
    std::map<std::string, MusicMetadata> tracks_;
};
