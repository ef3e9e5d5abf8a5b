#include "SoundSynth.h"

#include "AtomicFile.h"
#include "RecipeFile.h"
#include "ToolError.h"

#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvane::assetwright {

namespace {
using boost::property_tree::ptree;

SynthVoice readVoice(const ptree& node, std::uint32_t defaultSeed) {
    SynthVoice v;
    v.wave = parseWaveform(node.get<std::string>("Wave", "square"));
    v.start = node.get<double>("Start", v.start);
    v.duration = node.get<double>("Duration", v.duration);
    v.frequency = node.get<double>("Frequency", v.frequency);
    v.frequencyEnd = node.get<double>("FrequencyEnd", v.frequencyEnd);
    v.volume = node.get<double>("Volume", v.volume);
    v.attack = node.get<double>("Attack", v.attack);
    v.decay = node.get<double>("Decay", v.decay);
    v.release = node.get<double>("Release", v.release);
    v.duty = node.get<double>("Duty", v.duty);
    v.noise = node.get<double>("Noise", v.noise);
    v.vibrato = node.get<double>("Vibrato", v.vibrato);
    v.vibratoRate = node.get<double>("VibratoRate", v.vibratoRate);
    v.lowPass = node.get<double>("LowPass", v.lowPass);
    v.repeat = node.get<int>("Repeat", v.repeat);
    v.repeatInterval = node.get<double>("RepeatInterval", v.repeatInterval);
    v.seed = node.get<std::uint32_t>("Seed", defaultSeed);
    if (!(v.duration > 0.0) || v.start < 0.0 || v.repeat < 1 || v.frequency < 0.0) {
        throw ToolError("a voice needs a positive Duration, Start >= 0, Repeat >= 1, Frequency >= 0");
    }
    return v;
}

double voiceEnd(const SynthVoice& v) {
    return v.start + (v.repeat - 1) * v.repeatInterval + v.duration;
}

// Small, fast and the same everywhere, unlike the standard distributions.
struct NoiseSource {
    std::uint32_t state;
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / static_cast<float>(1u << 23) - 1.0f;
    }
};
} // namespace

Waveform parseWaveform(const std::string& name) {
    if (name == "sine")
        return Waveform::Sine;
    if (name == "square")
        return Waveform::Square;
    if (name == "triangle")
        return Waveform::Triangle;
    if (name == "saw")
        return Waveform::Saw;
    if (name == "noise")
        return Waveform::Noise;
    throw ToolError("unknown wave '" + name + "' (sine, square, triangle, saw, noise)");
}

SoundRecipe readSoundRecipe(const std::filesystem::path& path) {
    try {
        const ptree tree = readRecipeFile(path);
        SoundRecipe recipe;
        recipe.sampleRate = tree.get<int>("SampleRate", recipe.sampleRate);
        recipe.volume = tree.get<double>("Volume", recipe.volume);
        if (recipe.sampleRate < 8000 || recipe.sampleRate > 192000) {
            throw ToolError("SampleRate must lie between 8000 and 192000");
        }
        if (auto voices = tree.get_child_optional("Voices")) {
            std::uint32_t seed = 1;
            for (const auto& [key, node] : *voices) {
                recipe.voices.push_back(readVoice(node, seed++));
            }
        } else {
            // A single-voice recipe keeps its master volume in "MasterVolume"; "Volume" is the voice's.
            recipe.volume = tree.get<double>("MasterVolume", 0.8);
            recipe.voices.push_back(readVoice(tree, 1));
        }
        if (recipe.voices.empty()) {
            throw ToolError("no voices");
        }
        return recipe;
    } catch (const boost::property_tree::ptree_error& e) {
        throw ToolError("sound recipe '" + path.string() + "': " + e.what());
    } catch (const ToolError& e) {
        throw ToolError("sound recipe '" + path.string() + "': " + e.what());
    }
}

std::size_t soundFrameCount(const SoundRecipe& recipe) {
    double end = 0.0;
    for (const SynthVoice& v : recipe.voices) {
        end = std::max(end, voiceEnd(v));
    }
    return static_cast<std::size_t>(std::lround(end * recipe.sampleRate));
}

void renderVoice(const SynthVoice& voice, int sampleRate, std::vector<float>& mix) {
    const double rate = sampleRate;
    NoiseSource noise{voice.seed * 2654435761u + 12345u};
    for (int r = 0; r < voice.repeat; ++r) {
        const double startTime = voice.start + r * voice.repeatInterval;
        const std::size_t first = static_cast<std::size_t>(std::lround(startTime * rate));
        const std::size_t count = static_cast<std::size_t>(std::lround(voice.duration * rate));
        const double endFrequency = voice.frequencyEnd >= 0.0 ? voice.frequencyEnd : voice.frequency;
        double phase = 0.0;
        float held = noise.next();
        float filtered = 0.0f;
        const float lowPassAlpha =
            voice.lowPass > 0.0
                ? static_cast<float>(1.0 - std::exp(-2.0 * std::numbers::pi * voice.lowPass / rate))
                : 1.0f;
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = i / rate;
            const double progress = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
            double frequency = voice.frequency;
            if (voice.frequency > 0.0 && endFrequency > 0.0) {
                frequency = voice.frequency * std::pow(endFrequency / voice.frequency, progress);
            } else {
                frequency = voice.frequency + (endFrequency - voice.frequency) * progress;
            }
            if (voice.vibrato != 0.0) {
                frequency *= std::pow(2.0, voice.vibrato / 12.0 *
                                               std::sin(2.0 * std::numbers::pi * voice.vibratoRate * t));
            }
            const double previousPhase = phase;
            phase += frequency / rate;
            phase -= std::floor(phase);

            float sample = 0.0f;
            switch (voice.wave) {
            case Waveform::Sine:
                sample = static_cast<float>(std::sin(2.0 * std::numbers::pi * phase));
                break;
            case Waveform::Square:
                sample = phase < voice.duty ? 0.7f : -0.7f;
                break;
            case Waveform::Triangle:
                sample = static_cast<float>(4.0 * std::abs(phase - 0.5) - 1.0);
                break;
            case Waveform::Saw:
                sample = static_cast<float>(2.0 * phase - 1.0) * 0.8f;
                break;
            case Waveform::Noise:
                // Sample-and-hold noise: a new value each cycle, so the frequency still shapes its colour.
                if (frequency <= 0.0 || phase < previousPhase) {
                    held = noise.next();
                }
                sample = held;
                break;
            }
            if (voice.noise > 0.0 && voice.wave != Waveform::Noise) {
                sample = static_cast<float>(sample * (1.0 - voice.noise) + noise.next() * voice.noise);
            }
            filtered += lowPassAlpha * (sample - filtered);

            double envelope = 1.0;
            if (voice.attack > 0.0 && t < voice.attack) {
                envelope = t / voice.attack;
            } else if (voice.decay > 0.0) {
                envelope = std::exp(-(t - voice.attack) / voice.decay);
            }
            const double untilEnd = voice.duration - t;
            if (voice.release > 0.0 && untilEnd < voice.release) {
                envelope *= std::max(0.0, untilEnd / voice.release);
            }
            mix[first + i] += static_cast<float>(filtered * envelope * voice.volume);
        }
    }
}

std::vector<float> synthesize(const SoundRecipe& recipe) {
    std::vector<float> mix(soundFrameCount(recipe), 0.0f);
    for (const SynthVoice& v : recipe.voices) {
        renderVoice(v, recipe.sampleRate, mix);
    }
    for (float& s : mix) {
        s = std::clamp(static_cast<float>(s * recipe.volume), -1.0f, 1.0f);
    }
    return mix;
}

void writeWav(const std::vector<float>& samples, int sampleRate, const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    auto put16 = [&](std::uint32_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    // Byte by byte: a four-byte range insert trips a false -Wstringop-overflow in GCC 12 at -O2.
    auto putTag = [&](const char* tag) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(tag[i]));
        }
    };
    const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    putTag("RIFF");
    put32(36 + dataSize);
    putTag("WAVE");
    putTag("fmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(static_cast<std::uint32_t>(sampleRate));
    put32(static_cast<std::uint32_t>(sampleRate) * 2);
    put16(2);
    put16(16);
    putTag("data");
    put32(dataSize);
    for (float s : samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF);
    }
    writeFileAtomically(path, bytes);
}

} // namespace kelvane::assetwright
