#pragma once

#include <vector>

#include "editor/history/EdStep.h"
#include "editor/history/LiveRecord.h"

// The components of one or more live objects around a change that adds, removes, reorders them
// or writes several values at once (applying a prefab to its instances), kept as records of the
// other state: undo and redo swap them with the objects' own, so a step holds one copy.
class LiveComponentsStep : public EdStep {
public:
    explicit LiveComponentsStep(std::string text) : EdStep(std::move(text)) {}

    // Adds an object with its records before and after; objects whose records are equal are left out.
    void Add(GameObject& object, std::vector<ComponentRecord> before, std::vector<ComponentRecord> after);
    bool Empty() const { return objects_.empty(); }

    bool Undo() override { return Swap(); }
    bool Redo() override { return Swap(); }
    size_t Bytes() const override;
    void ForEachObject(const std::function<void(GameObject*)>& visit) const override;
    void Forget(GameObject& object) override;

private:
    struct Entry {
        GameObject* Object;
        std::vector<ComponentRecord> Other;
    };
    bool Swap();

    std::vector<Entry> objects_;
};
