#pragma once

#include <string>

// One music track of the catalogue: where it is and where its loop lies. Loop points are in samples
// (frames) of the track, -1 when not given.
class MusicMetadata {
public:
    MusicMetadata() = default;
    explicit MusicMetadata(std::string path) : Path(std::move(path)) {}
    MusicMetadata(const MusicMetadata&) = default;
    MusicMetadata& operator=(const MusicMetadata&) = default;
    virtual ~MusicMetadata() = default;

    std::string Path;
    int LoopStartSample = -1;
    int LoopEndSample = -1;
};
