#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

#include "editor/history/EdStep.h"
#include "editor/history/PrefabBaseline.h"

class GameObject;

// The editor's undo history for the run of the game: steps before Cursor are done, the rest are
// undone and can be redone. A new step drops the undone ones. Bounded by MaxSteps and MaxBytes,
// dropping the oldest first.
class EdHistory {
public:
    static constexpr size_t MaxSteps = 1000;
    static constexpr size_t MaxBytes = 32u << 20;
    static constexpr float RunSeconds = 1.0f; // a run of nudges on one field is one step

    EdHistory() = default;
    EdHistory(const EdHistory&) = delete;
    EdHistory& operator=(const EdHistory&) = delete;
    ~EdHistory();

    // Records a change already made. With merge, a step within RunSeconds of the previous one that
    // the previous one absorbs becomes part of it. now is the game's clock in seconds.
    void Push(std::unique_ptr<EdStep> step, bool merge = false, float now = 0.0f);
    // One step back or forward; false when there is none. A step whose object is gone is skipped
    // with one line and counts as taken.
    bool Undo();
    bool Redo();
    // Undoes or redoes until Cursor() is cursor.
    void MoveTo(size_t cursor);
    // Drops the steps from index on (undone or not) without applying anything: a tool that puts
    // its own state back uses it to forget the steps it made.
    void DropFrom(size_t index);

    size_t Size() const { return steps_.size(); }
    size_t Cursor() const { return cursor_; }
    const EdStep& At(size_t index) const { return *steps_[index].Step; }
    size_t Bytes() const { return bytes_; }
    // Bumped by every undo and redo, so views rebuild what they hold.
    unsigned Generation() const { return generation_; }

    // The game destroyed the object: steps naming it forget it.
    void ObjectDestroyed(GameObject& object);

    PrefabBaseline Baseline; // what each prefab file holds, for the dirty marks

private:
    void Track(const EdStep& step, int delta);
    void DropFront();
    void DropBack();
    void Report(const EdStep& step, const char* what) const;

    // A step with its size as last measured (when made, absorbing, undone or redone): dropping it,
    // at the bound or at exit, then reads nothing of the objects it keeps, whose services may be gone.
    struct Entry {
        std::unique_ptr<EdStep> Step;
        size_t Bytes = 0;
    };
    // Measures the step again while its objects are known to be whole.
    void Measure(Entry& entry);
    void Drop(Entry entry);

    std::deque<Entry> steps_;
    size_t cursor_ = 0;
    size_t bytes_ = 0;
    unsigned generation_ = 0;
    float lastPush_ = -1e9f;
    std::unordered_map<GameObject*, int> named_; // live objects the steps name, counted
};
