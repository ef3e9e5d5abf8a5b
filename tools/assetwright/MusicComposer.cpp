#include "MusicComposer.h"

#include "AtomicFile.h"
#include "RecipeFile.h"
#include "SoundSynth.h"
#include "ToolError.h"

#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kelvane::assetwright {

MusicRecipe readMusicRecipe(const std::filesystem::path& path) {
    try {
        const boost::property_tree::ptree tree = readRecipeFile(path);
        MusicRecipe recipe;
        recipe.sampleRate = tree.get<int>("SampleRate", recipe.sampleRate);
        recipe.tempo = tree.get<double>("Tempo", recipe.tempo);
        recipe.stepsPerBeat = tree.get<int>("StepsPerBeat", recipe.stepsPerBeat);
        recipe.introSteps = tree.get<int>("IntroSteps", recipe.introSteps);
        for (const auto& [key, node] : tree.get_child("Parts")) {
            MusicPart part;
            part.wave = node.get<std::string>("Wave", part.wave);
            parseWaveform(part.wave);
            part.volume = node.get<double>("Volume", part.volume);
            part.attack = node.get<double>("Attack", part.attack);
            part.decay = node.get<double>("Decay", part.decay);
            part.release = node.get<double>("Release", part.release);
            part.duty = node.get<double>("Duty", part.duty);
            part.vibrato = node.get<double>("Vibrato", part.vibrato);
            part.octaveShift = node.get<int>("OctaveShift", part.octaveShift);
            std::istringstream notes(node.get<std::string>("Notes"));
            for (std::string step; notes >> step;) {
                if (step != "-" && step != ".") {
                    noteFrequency(step);
                }
                part.steps.push_back(step);
            }
            if (part.steps.empty()) {
                throw ToolError("a part has no notes");
            }
            recipe.parts.push_back(std::move(part));
        }
        if (recipe.parts.empty() || recipe.tempo <= 0.0 || recipe.stepsPerBeat < 1 || recipe.introSteps < 0) {
            throw ToolError("needs parts, a positive Tempo and StepsPerBeat");
        }
        return recipe;
    } catch (const boost::property_tree::ptree_error& e) {
        throw ToolError("music recipe '" + path.string() + "': " + e.what());
    } catch (const ToolError& e) {
        throw ToolError("music recipe '" + path.string() + "': " + e.what());
    }
}

double noteFrequency(const std::string& note) {
    static constexpr int Semitones[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (note.size() < 2 || note[0] < 'A' || note[0] > 'G') {
        throw ToolError("bad note '" + note + "'");
    }
    int semitone = Semitones[note[0] - 'A'];
    std::size_t i = 1;
    if (note[i] == '#') {
        ++semitone;
        ++i;
    } else if (note[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i + 1 != note.size() || note[i] < '0' || note[i] > '8') {
        throw ToolError("bad note '" + note + "'");
    }
    const int octave = note[i] - '0';
    const int fromA4 = (octave - 4) * 12 + semitone - 9;
    return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

ComposedTrack composeTrack(const MusicRecipe& recipe) {
    std::size_t totalSteps = 0;
    for (const MusicPart& part : recipe.parts) {
        totalSteps = std::max(totalSteps, part.steps.size());
    }
    const double stepSeconds = 60.0 / recipe.tempo / recipe.stepsPerBeat;
    ComposedTrack track;
    track.sampleRate = recipe.sampleRate;
    track.samples.assign(static_cast<std::size_t>(std::lround(totalSteps * stepSeconds * recipe.sampleRate)),
                         0.0f);
    for (std::size_t p = 0; p < recipe.parts.size(); ++p) {
        const MusicPart& part = recipe.parts[p];
        for (std::size_t step = 0; step < totalSteps;) {
            const std::string& token = part.steps[step % part.steps.size()];
            if (token == "-" || token == ".") {
                ++step;
                continue;
            }
            std::size_t length = 1;
            while (step + length < totalSteps && part.steps[(step + length) % part.steps.size()] == "-") {
                ++length;
            }
            SynthVoice voice;
            voice.wave = parseWaveform(part.wave);
            voice.start = step * stepSeconds;
            voice.duration = length * stepSeconds;
            voice.frequency = noteFrequency(token) * std::pow(2.0, part.octaveShift);
            voice.volume = part.volume;
            voice.attack = part.attack;
            voice.decay = part.decay;
            voice.release = std::min(part.release, voice.duration);
            voice.duty = part.duty;
            voice.vibrato = part.vibrato;
            voice.seed = static_cast<std::uint32_t>(p * 7919 + step + 1);
            renderVoice(voice, recipe.sampleRate, track.samples);
            step += length;
        }
    }
    for (float& s : track.samples) {
        s = std::clamp(s, -1.0f, 1.0f);
    }
    const std::size_t intro = std::min<std::size_t>(static_cast<std::size_t>(recipe.introSteps), totalSteps);
    track.loopStartSample = std::lround(intro * stepSeconds * recipe.sampleRate);
    track.loopEndSample = static_cast<long>(track.samples.size());
    return track;
}

void writeTrack(const ComposedTrack& track, const std::filesystem::path& wavPath) {
    writeWav(track.samples, track.sampleRate, wavPath);
    std::filesystem::path loopPath = wavPath;
    loopPath.replace_extension(".json");
    std::ostringstream json;
    json << "{\n    \"LoopStartSample\": " << track.loopStartSample
         << ",\n    \"LoopEndSample\": " << track.loopEndSample << "\n}\n";
    writeFileAtomically(loopPath, json.str());
}

} // namespace kelvane::assetwright
