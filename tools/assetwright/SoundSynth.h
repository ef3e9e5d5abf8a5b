#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::assetwright {

enum class Waveform { Sine, Square, Triangle, Saw, Noise };

// One tone or noise burst of a sound. Times in seconds, frequencies in hertz.
struct SynthVoice {
    Waveform wave = Waveform::Square;
    double start = 0.0;
    double duration = 0.2;
    double frequency = 440.0;
    double frequencyEnd = -1.0; // < 0: no slide; otherwise an exponential glide to this frequency
    double volume = 1.0;
    double attack = 0.005; // linear rise
    double decay = 0.0;    // > 0: exponential fall with this time constant after the attack
    double release = 0.02; // linear fade over the last part of the duration
    double duty = 0.5;     // pulse width of the square wave
    double noise = 0.0;    // 0..1, white noise mixed into a tone
    double vibrato = 0.0;  // depth in semitones
    double vibratoRate = 6.0;
    double lowPass = 0.0;        // > 0: one-pole low-pass cut-off, softens noise
    int repeat = 1;              // the voice is played this many times...
    double repeatInterval = 0.0; // ...this far apart
    std::uint32_t seed = 1;
};

struct SoundRecipe {
    int sampleRate = 44100;
    double volume = 0.8;
    std::vector<SynthVoice> voices;
};

// Reads a recipe JSON: either one voice's keys at the top level, or "Voices": [ ... ]; plus optional
// "SampleRate" and "Volume". Unknown wave names and non-positive durations are errors (ToolError).
SoundRecipe readSoundRecipe(const std::filesystem::path& path);

// Number of frames the recipe produces: the end of its last voice, rounded to whole frames.
std::size_t soundFrameCount(const SoundRecipe& recipe);

// Mono samples in [-1, 1]. Deterministic: noise comes from each voice's own seeded generator.
std::vector<float> synthesize(const SoundRecipe& recipe);

// Adds one voice into the buffer (used by the music composer too).
void renderVoice(const SynthVoice& voice, int sampleRate, std::vector<float>& mix);

// A 16-bit PCM mono WAV, written through a temporary file.
void writeWav(const std::vector<float>& samples, int sampleRate, const std::filesystem::path& path);

Waveform parseWaveform(const std::string& name);

} // namespace kelvane::assetwright
