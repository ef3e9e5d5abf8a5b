#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// The object picker: while open the game is paused and a left click selects the object whose
// sprite lies under the pointer (the last one drawn wins); Esc cancels.
class EdSpritePickerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdSpritePickerBhv";

    ~EdSpritePickerBhv() override;
    // Registers in the editor state and hides its object.
    void Start() override;
    void HandleInput() override;

    // Shows the picker, marks the editor modal and pauses the gameplay root, remembering its flags.
    void Open();
    // Hides it, ends the modal state and gives the gameplay root its flags back.
    void Close();

    // The object under the point (client pixels) among root's subtree, parents before children and
    // children in order, skipping undrawn subtrees: the last sprite hit. World-layer sprites are
    // tested through the world camera. Null when none is hit.
    static GameObject* PickAt(GameObject& root, Vector2 screenPoint);

private:
    bool gameplayInput_ = true;
    bool gameplayUpdate_ = true;
};
