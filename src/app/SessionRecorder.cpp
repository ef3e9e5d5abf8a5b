#include "app/SessionRecorder.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

#include "input/InputScript.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"
#include "platform/RegularFile.h"
#include "platform/SessionRecording.h"
#include "platform/StateFolder.h"
#include "platform/WritableFolder.h"
#include "saves/SaveFormat.h"
#include "saves/SlotFiles.h"

namespace {

// What the always-on recording keeps of a session: well over two hours of ordinary play.
constexpr size_t SessionMemoryBytes = 16u << 20;
constexpr const char* LastSessionFile = "last-session.replay";
// The player's keymap goes into the recording under this name; it is small (the reader's own limit).
constexpr const char* RecordedKeymapName = "keymap.json";
constexpr size_t MaxKeymapBytes = 64 * 1024;
// The load menu's slots (five, and an autosave) with room to spare: a recording names no more.
constexpr size_t MaxRecordedSlots = 8;
// What a full recording's first line becomes: a replay of it ends where the recording stopped.
constexpr const char* FullNote = "# the session's start only: its recording filled up";

} // namespace

SessionRecorder::SessionRecorder(std::unique_ptr<SessionRecording> recording, uint32_t seed)
    : recording_(std::move(recording)) {
    recording_->Append(InputRecorder::Header(KELVANE_VERSION, seed));
    recording_->Commit(0);
    recording_->CatchCrashes();
}

SessionRecorder::~SessionRecorder() = default;

std::unique_ptr<SessionRecorder> SessionRecorder::ToFile(const std::string& file, uint32_t seed) {
    std::string fault;
    auto recording = SessionRecording::ToFile(file, InputScript::MaxBytes, FullNote, fault);
    if (!recording) {
        throw InputScriptError(file, 0, "cannot write the recording: " + fault);
    }
    return std::unique_ptr<SessionRecorder>(new SessionRecorder(std::move(recording), seed));
}

std::unique_ptr<SessionRecorder> SessionRecorder::ForLastSession(uint32_t seed) {
    const std::filesystem::path folder = GetStateFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error); // a folder that cannot be made fails the write
    auto recording =
        SessionRecording::InMemory((folder / LastSessionFile).string(), SessionMemoryBytes, FullNote);
    return std::unique_ptr<SessionRecorder>(new SessionRecorder(std::move(recording), seed));
}

void SessionRecorder::Frame(int64_t frame, float delta, float nominal, const InputManager& input,
                            bool focused) {
    frame_ = frame;
    lines_.clear();
    recorder_.Frame(frame, delta, nominal, input, focused, lines_);
    if (!lines_.empty()) {
        recording_->Append(lines_);
    }
}

void SessionRecorder::Commit(int64_t frame) {
    recording_->Commit(frame);
}

bool SessionRecorder::Finish() {
    return recording_->Finish();
}

const std::string& SessionRecorder::File() const {
    return recording_->File();
}

std::string SessionRecorder::ReplayNote() const {
    return (recording_->Full() ? "; the replay of the session's start only (its recording filled up) is "
                               : "; the session's replay is ") +
           recording_->File();
}

void SessionRecorder::SlotRead(const std::string& slotName, const std::span<const uint8_t>* bytes) {
    lines_.clear();
    InputRecorder::File(frame_, slotName, bytes, lines_);
    recording_->Append(lines_);
}

void SessionRecorder::KeymapRead(const std::filesystem::path& keymap) {
    std::vector<uint8_t> bytes;
    std::string fault;
    const bool read = ReadWholeFile(keymap, MaxKeymapBytes, bytes, fault) == ReadStatus::Read;
    const std::span<const uint8_t> view(bytes);
    // Read before the first frame runs: recorded with it, the first frame a recording names.
    lines_.clear();
    InputRecorder::File(1, RecordedKeymapName, read ? &view : nullptr, lines_);
    recording_->Append(lines_);
}

InputScript LoadReplay(const std::string& path) {
    InputScript replay = InputScript::Load(path);
    if (!replay.Version()) {
        throw InputScriptError(path, 0, "not a recorded session: it has no \"version\" line");
    }
    if (*replay.Version() != KELVANE_VERSION) {
        throw InputScriptError(path, replay.VersionLine(),
                               "recorded by version " + *replay.Version() + ", this is " + KELVANE_VERSION);
    }
    if (!replay.Seed()) {
        throw InputScriptError(path, 0, "not a recorded session: it has no \"seed\" line");
    }
    std::vector<std::string> slots;
    for (const InputScriptFile& file : replay.Files()) {
        if (file.Name != RecordedKeymapName && !IsSlotName(file.Name)) {
            throw InputScriptError(path, file.Line,
                                   QuotedScriptText(file.Name) +
                                       " is neither a saved game's slot nor the keymap");
        }
        const size_t limit = file.Name == RecordedKeymapName ? MaxKeymapBytes : saveformat::MaxFileSize;
        if (file.Bytes && file.Bytes->size() > limit) {
            throw InputScriptError(path, file.Line, TooLargeFile(file.Bytes->size(), limit));
        }
        if (file.Name != RecordedKeymapName &&
            std::find(slots.begin(), slots.end(), file.Name) == slots.end()) {
            slots.push_back(file.Name);
            if (slots.size() > MaxRecordedSlots) {
                throw InputScriptError(
                    path, file.Line, "more than " + std::to_string(MaxRecordedSlots) + " saved games' slots");
            }
        }
    }
    if (!replay.EndFrame()) {
        std::fprintf(stderr, "kelvane: %s: recording ends early (no end line); replayed to frame %lld\n",
                     EscapeControls(path).c_str(), static_cast<long long>(ReplayFrames(replay)));
    }
    return replay;
}

void CheckReplayDeltas(const InputScript& replay, const std::string& path, int32_t framesPerSecond,
                       int32_t maxCatchUpFrames) {
    for (const InputScriptDelta& delta : replay.Deltas()) {
        // Summed as the pacer sums them, so a recorded length matches to the bit.
        float made = 0.0f;
        bool found = false;
        for (int32_t k = 1; k <= maxCatchUpFrames + 1 && !found; ++k) {
            made += 1.0f / static_cast<float>(framesPerSecond);
            found = made == delta.Seconds;
        }
        if (!found) {
            throw InputScriptError(path, delta.Line,
                                   "a frame length the game never makes: a whole number of frames at " +
                                       std::to_string(framesPerSecond) + " a second, up to " +
                                       std::to_string(maxCatchUpFrames + 1));
        }
    }
}

int64_t ReplayFrames(const InputScript& replay) {
    int64_t last = replay.Events().empty() ? 0 : replay.Events().back().Frame;
    if (!replay.Deltas().empty()) {
        last = std::max(last, replay.Deltas().back().Frame);
    }
    return replay.EndFrame().value_or(last);
}

std::filesystem::path PrepareReplaySaves(const std::string& replayPath) {
    const std::filesystem::path folder = GetStateFolder() / "replay-saves";
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder, error);
    if (!IsWritableFolder(folder)) {
        throw InputScriptError(
            replayPath, 0,
            "cannot put its saved games in place: " + folder.string() +
                (error ? " (" + error.message() + ")" : std::string(" is not a writable folder")));
    }
    return folder;
}

std::filesystem::path PlaceReplayKeymap(const InputScriptPlayer& replay,
                                        const std::filesystem::path& folder) {
    const std::filesystem::path keymap = folder / RecordedKeymapName;
    std::error_code error;
    std::filesystem::remove(keymap, error);
    for (const InputScriptFile& file : replay.Script().Files()) {
        std::string fault;
        if (file.Name == RecordedKeymapName && file.Bytes && !ReplaceFile(keymap, *file.Bytes, fault)) {
            std::fprintf(stderr, "kelvane: the replay cannot place %s: %s\n", keymap.c_str(), fault.c_str());
        }
        if (file.Name == RecordedKeymapName) {
            break;
        }
    }
    return keymap;
}
