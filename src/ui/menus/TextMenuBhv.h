#pragma once

#include <functional>
#include <vector>

#include "core/Behavior.h"
#include "core/Color.h"
#include "core/Handle.h"

class GameObject;

// A keyboard-driven list of text lines: its child objects built from the "UiTextMenuItem" prefab,
// in child order. "MoveUp" and "MoveDown" step through them (wrapping, with key repeat);
// "MenuConfirm" hands the selected index to the item-chosen handler. The selected line is drawn
// opaque in "SelectedTint", the others in their own colour at "InactiveAlpha", so the selected line
// is always the brightest.
class TextMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "TextMenuBhv";
    static constexpr const char* ItemPrefab = "UiTextMenuItem";

    TextMenuBhv();

    // Collects the lines; they are collected again when the editor removes or rebuilds one.
    void Start() override;
    void HandleInput() override;
    // Sets the tint of every line.
    void Update() override;

    void SetItemChosenHandler(std::function<void(int)> handler) { itemChosen_ = std::move(handler); }
    // Back to the first line; menus do this as they close.
    void ResetSelection() { selected_ = 0; }
    int SelectedIndex() const { return selected_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    // The lines, in order (those still there).
    std::vector<GameObject*> Items() const;

    float InactiveAlpha = 0.5f;
    Color SelectedTint{255, 216, 106, 255};

private:
    void CollectItems();

    std::vector<Handle<GameObject>> items_;
    std::vector<Color> itemTints_; // each line's own tint, as built
    int selected_ = 0;
    std::function<void(int)> itemChosen_;
};

// What a menu built on a text menu does in its Start hook: switch its object off until it is
// opened and have the object's text menu call the handler with the chosen line. Returns that text
// menu, or null when the object has none.
TextMenuBhv* ClaimTextMenu(GameObject& menuObject, std::function<void(int)> handler);
