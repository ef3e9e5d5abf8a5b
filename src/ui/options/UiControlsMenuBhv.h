#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "input/Keymap.h"

class GameObject;
class TextComponent;
class UiKeyHintBhv;

// The controls page of the options menu: a line per action with its two keyboard-or-mouse keys and
// its two pad inputs side by side, then "Reset to defaults" and "Back". Lines are built from
// "RowPrefab" (children "Label", "Key1", "Key2", "Pad1", "Pad2", each with a text), "RowSpacing"
// apart from "FirstRowY".
//
// "MoveUp"/"MoveDown" choose the line, "MoveLeft"/"MoveRight" the key on it; "MenuConfirm" waits for
// the next key, mouse button or pad input pressed and binds it there (Esc, or "CaptureSeconds"
// without a press, cancels); "MenuClear" removes the chosen binding; "MenuCancel" goes back to the
// options. A new key that a clashing action already has (ActionsClash) is shown, and the player
// swaps ("MenuConfirm": that action takes the replaced key) or cancels. A change that would leave a
// menu lifeline without a keyboard key is refused with a buzz. Every change goes into the input
// manager at once and to the ControlsStore, which keeps it.
class UiControlsMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiControlsMenuBhv";
    static constexpr int SlotCount = 4; // two keyboard, two pad

    UiControlsMenuBhv();

    // Switches the page off and builds its lines.
    void Start() override;
    void HandleInput() override;
    // Shows the bindings and the selection; counts the capture and note timers down.
    void Update() override;

    enum class Mode { Browse, Capture, Conflict };

    // The actions in the order the page lists them, and how it names them ("Steer down").
    static const std::vector<Action>& ListedActions();
    static std::string_view ActionLabel(Action action);

    // What binding key in slot (0, 1 keyboard; 2, 3 pad) of action gives: the mappings after the
    // change and, when key belongs to clashing actions, those actions (the change then being the swap).
    struct Binding {
        ActionMappings Mappings;
        std::vector<Action> Clashes;
    };
    static Binding Bind(const ActionMappings& mappings, Action action, int slot, Key key);
    // The mappings without the binding in that slot (unchanged when it has none).
    static ActionMappings Unbind(const ActionMappings& mappings, Action action, int slot);
    // The first menu lifeline left without a keyboard key, if any.
    static std::optional<Action> StrandedLifeline(const ActionMappings& mappings);

    Mode CurrentMode() const { return mode_; }
    int SelectedLine() const { return line_; }
    int LineCount() const { return static_cast<int>(ListedActions().size()) + 2; }
    // The texts of a line: label, then the four slots; null where the row prefab has none.
    std::array<TextComponent*, SlotCount + 1> LineTexts(int line) const;

    std::string RowPrefab = "UiControlsRow";
    float FirstRowY = -230.0f;
    float RowSpacing = 26.0f;
    float CaptureSeconds = 5.0f;
    float NoteSeconds = 2.5f;
    float InactiveAlpha = 0.5f;

private:
    // The page's pieces are kept through handles: the editor may remove any of them.
    struct Row {
        Handle<GameObject> Object;
        std::array<Handle<TextComponent>, SlotCount + 1> Texts{};
    };

    void Browse();
    void Capture();
    void AnswerConflict();
    void Apply(const ActionMappings& mappings);
    void Note(const std::string& text);
    void Back();
    void ShowRows();
    void ShowHint();
    const ActionMappings* Shipped() const;

    std::vector<Row> rows_;
    Handle<UiKeyHintBhv> hint_;
    std::string browseHint_; // the hint's template as the prefab gives it
    Mode mode_ = Mode::Browse;
    int line_ = 0;
    int slot_ = 0;
    float timer_ = 0.0f;     // capture seconds left
    std::string note_;       // a refusal or question shown in place of the hint
    float noteTimer_ = 0.0f; // seconds the refusal stays
    ActionMappings pending_; // the swap a conflict waits to confirm
    Key taken_ = Key::None;  // the key last bound, which moves nothing on the page until let go
};
