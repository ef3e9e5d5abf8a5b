#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "input/InputRecorder.h"
#include "saves/SlotReadListener.h"

class InputManager;
class InputScript;
class InputScriptPlayer;
class SessionRecording;

// The running session's recording as the main loop keeps it: to --record's file as it runs, or in
// memory for "last-session.replay" in the state folder, written at the end, on a fatal content
// error or on a crash signal. The saved games the session loads go into it whole, so its replay
// needs no file of the player's.
class SessionRecorder final : public SlotReadListener {
public:
    // To `file` as the session runs; throws InputScriptError naming the file when it cannot be written.
    static std::unique_ptr<SessionRecorder> ToFile(const std::string& file, uint32_t seed);
    // In memory, for the state folder's "last-session.replay" (the folder is made here).
    static std::unique_ptr<SessionRecorder> ForLastSession(uint32_t seed);
    ~SessionRecorder() override;

    // After frame `frame`'s pump: what it left in the input manager, and the frame's length.
    void Frame(int64_t frame, float delta, float nominal, const InputManager& input, bool focused);
    // Frame `frame` is whole.
    void Commit(int64_t frame);
    // The session ended; false (and one line on stderr) when the file could not be written.
    bool Finish();
    const std::string& File() const;
    // "; the session's replay is <file>" for the line that ends a session, saying so when the
    // recording filled up and holds only the session's start.
    std::string ReplayNote() const;

    void SlotRead(const std::string& slotName, const std::span<const uint8_t>* bytes) override;
    // The player's keymap as the session read it at start (null: it had none): a replay steers with
    // the same bindings whatever keymap its machine has.
    void KeymapRead(const std::filesystem::path& keymap);

private:
    SessionRecorder(std::unique_ptr<SessionRecording> recording, uint32_t seed);

    std::unique_ptr<SessionRecording> recording_;
    InputRecorder recorder_;
    std::string lines_; // the current frame's
    int64_t frame_ = 0; // the frame being run: its pump has been recorded
};

// Reads a --replay file and checks that it is a recording of this version with its seed, whose files
// are slot files of at most a saved game's size (and no more of them than there are slots) or the
// keymap; throws InputScriptError naming the file (and the line) when it is not. A recording without
// an "end" line (its session was killed) is replayed to its last frame, with one line saying so.
InputScript LoadReplay(const std::string& path);
// Checks that every frame length the replay holds is one the frame pacer makes at that rate: a whole
// number of periods, up to the catch-up limit. Throws InputScriptError naming the line otherwise.
void CheckReplayDeltas(const InputScript& replay, const std::string& path, int32_t framesPerSecond,
                       int32_t maxCatchUpFrames);
// The frames a replay runs: to its "end" line, or, cut off without one, to the last frame it names.
int64_t ReplayFrames(const InputScript& replay);
// A fresh, empty folder for a replay's saved games: a replay never writes over a real save, and what
// it loads comes from the recording. Throws InputScriptError naming the replay when it cannot be made:
// without it the replay would play another game.
std::filesystem::path PrepareReplaySaves(const std::string& replayPath);
// The recorded session's keymap put in `folder` (or no file there, when the session had none): the
// path its bindings are read from, and written to. Call before the first frame.
std::filesystem::path PlaceReplayKeymap(const InputScriptPlayer& replay, const std::filesystem::path& folder);
