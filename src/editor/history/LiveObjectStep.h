#pragma once

#include <vector>

#include "editor/history/EdStep.h"

// Objects put into or taken out of the live tree (added, removed, rebuilt, moved among siblings).
// An object taken out is not destroyed: the step keeps it, whole and with its bodies switched
// off, to put it back exactly; it is deleted when the step leaves the history while out.
class LiveObjectStep : public EdStep {
public:
    explicit LiveObjectStep(std::string text) : EdStep(std::move(text)) {}
    ~LiveObjectStep() override;

    // Where an object is: under parent at index.
    struct Place {
        GameObject* Object = nullptr;
        GameObject* Parent = nullptr;
        size_t Index = 0;
    };
    // Before and after the change (made already); an object in only one of them is out in the other.
    void Before(GameObject& object, GameObject& parent, size_t index);
    void After(GameObject& object, GameObject& parent, size_t index);
    // The well-known references as they were before the change (wellknown::Bindings()): those the
    // change moved are moved back by undo and forth again by redo, so that after undoing a rebuild
    // they point at the object back in the tree.
    void KeepWellKnown(const std::vector<void*>& before);

    bool Undo() override { return Apply(after_, before_); }
    bool Redo() override { return Apply(before_, after_); }
    // Counts the objects it keeps out of the tree at their serialised size.
    size_t Bytes() const override;
    void ForEachObject(const std::function<void(GameObject*)>& visit) const override;
    void Forget(GameObject& object) override;

    // Takes the object out of the tree and keeps it alive (its bodies off); the caller's step
    // records it. The editor's selection moves off it first.
    static void TakeOut(GameObject& object);
    // Puts it under parent at index (clamped).
    static void PutIn(GameObject& object, GameObject& parent, size_t index);

private:
    bool Apply(const std::vector<Place>& from, const std::vector<Place>& to);
    static bool Holds(const std::vector<Place>& places, const GameObject* object);

    struct Binding {
        size_t Slot;
        void* Before;
        void* After;
    };

    std::vector<Place> before_;
    std::vector<Place> after_;
    std::vector<Binding> wellKnown_;
    bool done_ = true;
};
