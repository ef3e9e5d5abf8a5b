#pragma once

#include <cstddef>
#include <functional>
#include <string>

class GameObject;

// One change the editor made, able to go back and forth. Text names it in the history palette.
// Steps are made after their change is done; the history calls Undo and Redo alternately.
class EdStep {
public:
    explicit EdStep(std::string text) : Text(std::move(text)) {}
    virtual ~EdStep() = default;
    EdStep(const EdStep&) = delete;
    EdStep& operator=(const EdStep&) = delete;

    // Puts back the state before the change, or makes it again. Returns false, changing nothing,
    // when a live object the step needs has been destroyed by the game since.
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;
    // Bytes the step holds beyond what the tree and the prefabs hold anyway.
    virtual size_t Bytes() const = 0;
    // Calls visit with every live object the step names (for destruction tracking).
    virtual void ForEachObject(const std::function<void(GameObject*)>& /*visit*/) const {}
    // The game destroyed the object: the step must not touch it again.
    virtual void Forget(GameObject& /*object*/) {}
    // Takes next (the step made just after this one) into this one when both belong to one run,
    // such as nudges of one field; next is then discarded.
    virtual bool Absorb(EdStep& /*next*/) { return false; }

    // Joins the part after " -> " of next's text onto this one's: the run reads from its first
    // value to its last.
    void TakeEnd(const EdStep& next) {
        const size_t mine = Text.rfind(" -> ");
        const size_t theirs = next.Text.rfind(" -> ");
        if (mine != std::string::npos && theirs != std::string::npos) {
            Text = Text.substr(0, mine) + next.Text.substr(theirs);
        }
    }

    std::string Text;
    // Steps of one run (nudges of one field) share a key; empty for a step that stands alone.
    std::string RunKey;
};
