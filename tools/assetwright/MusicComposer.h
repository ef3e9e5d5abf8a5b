#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::assetwright {

// One instrument line of a track: a step sequence of notes ("C3", "F#4", "Bb2"), "-" to hold the
// previous note one more step and "." for a rest, separated by spaces. A part shorter than the track
// repeats.
struct MusicPart {
    std::string wave = "triangle";
    double volume = 0.3;
    double attack = 0.01;
    double decay = 0.0;
    double release = 0.05;
    double duty = 0.5;
    double vibrato = 0.0;
    int octaveShift = 0;
    std::vector<std::string> steps;
};

struct MusicRecipe {
    int sampleRate = 22050;
    double tempo = 100.0; // beats per minute
    int stepsPerBeat = 2;
    int introSteps = 0; // steps played once before the loop
    std::vector<MusicPart> parts;
};

struct ComposedTrack {
    int sampleRate = 0;
    std::vector<float> samples;
    long loopStartSample = 0;
    long loopEndSample = 0;
};

MusicRecipe readMusicRecipe(const std::filesystem::path& path);

// Frequency of a note name ("A4" is 440 Hz); throws ToolError for anything else.
double noteFrequency(const std::string& note);

ComposedTrack composeTrack(const MusicRecipe& recipe);

// Writes the track as "<stem>.wav" and its loop points as "<stem>.json" beside it.
void writeTrack(const ComposedTrack& track, const std::filesystem::path& wavPath);

} // namespace kelvane::assetwright
