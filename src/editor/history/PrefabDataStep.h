#pragma once

#include <string>
#include <vector>

#include "editor/history/EdStep.h"

class Prefab;

// A change of prefab data, kept as the JSON text of each prefab it touched in the other state (a
// prefab that did not exist there has none). Undo and redo swap the texts with the prefabs' own,
// so a step holds one copy of what it changed. Prefab objects keep their addresses where the
// name or a rename allows; the editor's selection follows.
class PrefabDataStep : public EdStep {
public:
    struct Slot {
        std::string Name;
        bool Present = false;
        std::string Text;
    };
    PrefabDataStep(std::string text, std::vector<Slot> other)
        : EdStep(std::move(text)), other_(std::move(other)) {}

    bool Undo() override { return Swap(); }
    bool Redo() override { return Swap(); }
    size_t Bytes() const override;
    // A later step of the same run on the same prefabs: this one's texts already hold the state
    // before both.
    bool Absorb(EdStep& next) override;

private:
    bool Swap();

    std::vector<Slot> other_;
};

// Records one change of prefab data: Watch every prefab the change may touch before making it,
// then Commit, which pushes a step when anything differs and sets the dirty marks from the
// difference to what the files hold. Prefab data edits that change nothing leave no step.
class PrefabChange {
public:
    void Watch(const Prefab* prefab);
    void Watch(const std::string& name);
    // A prefab the change has just made under name: absent before it.
    void WatchNew(const std::string& name) { watched_.push_back({name, nullptr, false, {}}); }
    // Returns whether anything changed. Steps with one non-empty runKey within a second of each
    // other become one (nudges of one field).
    bool Commit(std::string text, const std::string& runKey = {});

private:
    struct Watched {
        std::string Name;
        const Prefab* Object = nullptr;
        bool Present = false;
        std::string Text;
    };
    std::vector<Watched> watched_;
};
