#include "ui/options/UiControlsMenuBhv.h"

#include <algorithm>

#include "audio/CueManagerBhv.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/options/ControlsStore.h"
#include "ui/widgets/KeyLabel.h"
#include "ui/widgets/UiKeyHintBhv.h"

namespace {

constexpr std::array<const char*, UiControlsMenuBhv::SlotCount + 1> CellNames{"Label", "Key1", "Key2", "Pad1",
                                                                              "Pad2"};
constexpr Color SelectedSlotColor{255, 208, 64};

KeyDevice SlotDevice(int slot) {
    return slot < 2 ? KeyDevice::Keyboard : KeyDevice::Pad;
}

// Keys the page never binds: Esc cancels the wait itself, F11 belongs to the editor, and a key
// without a name could not be written to the keymap.
bool IsBindable(Key key) {
    return key != Key::None && key != Key::Esc && key != Key::F11 && key != Key::EndMarker &&
           !KeyName(key).empty();
}

} // namespace

UiControlsMenuBhv::UiControlsMenuBhv() {
    RegisterProperty("RowPrefab", &RowPrefab);
    RegisterProperty("FirstRowY", &FirstRowY);
    RegisterProperty("RowSpacing", &RowSpacing);
    RegisterProperty("CaptureSeconds", &CaptureSeconds);
    RegisterProperty("NoteSeconds", &NoteSeconds);
    RegisterProperty("InactiveAlpha", &InactiveAlpha);
}

const std::vector<Action>& UiControlsMenuBhv::ListedActions() {
    static const std::vector<Action> actions{
        Action::MoveUp,      Action::MoveDown,   Action::MoveLeft,          Action::MoveRight,
        Action::MainWeapon,  Action::Quickslot1, Action::Quickslot2,        Action::Quickslot3,
        Action::Quickslot4,  Action::Quickslot5, Action::QuickslotPrevious, Action::QuickslotNext,
        Action::MenuConfirm, Action::MenuCancel, Action::MenuClear,         Action::MenuSellAll,
    };
    return actions;
}

std::string_view UiControlsMenuBhv::ActionLabel(Action action) {
    switch (action) {
    case Action::MoveUp:
        return "Steer up";
    case Action::MoveDown:
        return "Steer down";
    case Action::MoveLeft:
        return "Steer left";
    case Action::MoveRight:
        return "Steer right";
    case Action::MainWeapon:
        return "Use tool";
    case Action::Quickslot1:
        return "Quick slot 1";
    case Action::Quickslot2:
        return "Quick slot 2";
    case Action::Quickslot3:
        return "Quick slot 3";
    case Action::Quickslot4:
        return "Quick slot 4";
    case Action::Quickslot5:
        return "Quick slot 5";
    case Action::QuickslotPrevious:
        return "Previous quick slot";
    case Action::QuickslotNext:
        return "Next quick slot";
    case Action::MenuConfirm:
        return "Confirm";
    case Action::MenuCancel:
        return "Back, open the menu";
    case Action::MenuClear:
        return "Remove a binding";
    case Action::MenuSellAll:
        return "Sell all minerals and blocks";
    }
    return ActionName(action);
}

UiControlsMenuBhv::Binding UiControlsMenuBhv::Bind(const ActionMappings& mappings, Action action, int slot,
                                                   Key key) {
    const KeyDevice device = DeviceOf(key);
    // A pad input pressed for a keyboard slot (or the reverse) goes to the same place in its column.
    const size_t index = static_cast<size_t>(slot % 2);
    std::vector<Key> keys = BoundKeys(mappings, action, device);
    Binding binding{mappings, {}};
    if (const auto already = std::find(keys.begin(), keys.end(), key); already != keys.end()) {
        // The action has the key already: at most its two keys change places.
        if (index < keys.size()) {
            std::iter_swap(already, keys.begin() + static_cast<std::ptrdiff_t>(index));
            SetBoundKeys(binding.Mappings, action, device, keys);
        }
        return binding;
    }
    Key replaced = Key::None;
    if (index < keys.size()) {
        replaced = keys[index];
        keys[index] = key;
    } else {
        keys.push_back(key);
    }
    SetBoundKeys(binding.Mappings, action, device, keys);
    for (Action other : ActionsOfKey(mappings, key)) {
        if (!ActionsClash(action, other)) {
            continue;
        }
        binding.Clashes.push_back(other);
        std::vector<Key> theirs = BoundKeys(binding.Mappings, other, device);
        const auto at = std::find(theirs.begin(), theirs.end(), key);
        if (at == theirs.end()) {
            continue;
        }
        if (replaced != Key::None && std::find(theirs.begin(), theirs.end(), replaced) == theirs.end()) {
            *at = replaced;
            replaced = Key::None; // the first clashing action takes it; the others only lose the key
        } else {
            theirs.erase(at);
        }
        SetBoundKeys(binding.Mappings, other, device, theirs);
    }
    return binding;
}

ActionMappings UiControlsMenuBhv::Unbind(const ActionMappings& mappings, Action action, int slot) {
    const KeyDevice device = SlotDevice(slot);
    std::vector<Key> keys = BoundKeys(mappings, action, device);
    const size_t index = static_cast<size_t>(slot % 2);
    if (index >= keys.size()) {
        return mappings;
    }
    keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(index));
    ActionMappings result = mappings;
    SetBoundKeys(result, action, device, keys);
    return result;
}

std::optional<Action> UiControlsMenuBhv::StrandedLifeline(const ActionMappings& mappings) {
    for (Action action : ListedActions()) {
        if (IsMenuLifeline(action) && !HasKeyboardKey(mappings, action)) {
            return action;
        }
    }
    return std::nullopt;
}

std::array<TextComponent*, UiControlsMenuBhv::SlotCount + 1> UiControlsMenuBhv::LineTexts(int line) const {
    std::array<TextComponent*, SlotCount + 1> texts{};
    if (line >= 0 && line < static_cast<int>(rows_.size())) {
        for (size_t cell = 0; cell < texts.size(); ++cell) {
            texts[cell] = rows_[static_cast<size_t>(line)].Texts[cell].Get();
        }
    }
    return texts;
}

void UiControlsMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    Owner->SetPassesEnabled(false);
    if (GameObject* hint = FindChild("Hint")) {
        hint_ = hint->GetComponentOfType<UiKeyHintBhv>();
        browseHint_ = hint_ ? hint_->Template : std::string();
    }
    const std::vector<Action>& actions = ListedActions();
    rows_.clear();
    for (int line = 0; line < LineCount(); ++line) {
        Row row;
        auto* object = new GameObject(RowPrefab);
        object->Name = "Line";
        Owner->AppendChild(object);
        row.Object = object;
        if (Pos2dComponent* pos = object->Pos2d()) {
            pos->Pos = {pos->Pos.x, FirstRowY + RowSpacing * static_cast<float>(line)};
        }
        for (size_t cell = 0; cell < CellNames.size(); ++cell) {
            for (GameObject* child : object->Children) {
                if (child->Name == CellNames[cell]) {
                    row.Texts[cell] = child->Text();
                }
            }
        }
        if (TextComponent* label = row.Texts[0].Get()) {
            label->Text = line < static_cast<int>(actions.size())    ? std::string(ActionLabel(actions[line]))
                          : line == static_cast<int>(actions.size()) ? "Reset to defaults"
                                                                     : "Back";
        }
        rows_.push_back(row);
    }
    ShowRows();
}

void UiControlsMenuBhv::HandleInput() {
    switch (mode_) {
    case Mode::Browse:
        Browse();
        break;
    case Mode::Capture:
        Capture();
        break;
    case Mode::Conflict:
        AnswerConflict();
        break;
    }
}

void UiControlsMenuBhv::Browse() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    if (taken_ != Key::None) {
        // Bound to a moving action, the key just taken would otherwise fire it in the next frame and
        // as it repeats.
        const auto taken = static_cast<size_t>(taken_);
        if (input->CurrentKeys[taken] || input->FiredKeys[taken]) {
            return;
        }
        taken_ = Key::None;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        Back();
        return;
    }
    const int lines = LineCount();
    const int actions = static_cast<int>(ListedActions().size());
    if (input->IsActionFired(Action::MoveUp)) {
        line_ = (line_ + lines - 1) % lines;
    }
    if (input->IsActionFired(Action::MoveDown)) {
        line_ = (line_ + 1) % lines;
    }
    if (input->IsActionFired(Action::MoveLeft)) {
        slot_ = (slot_ + SlotCount - 1) % SlotCount;
    }
    if (input->IsActionFired(Action::MoveRight)) {
        slot_ = (slot_ + 1) % SlotCount;
    }
    if (input->IsActionPressed(Action::MenuConfirm)) {
        if (line_ < actions) {
            // The key that chose the line is down now; the wait takes the next one pressed.
            mode_ = Mode::Capture;
            timer_ = CaptureSeconds;
            noteTimer_ = 0.0f;
        } else if (line_ == actions) {
            if (const ActionMappings* shipped = Shipped()) {
                Apply(*shipped);
                Note("Every binding is back as shipped");
            }
        } else {
            Back();
        }
        return;
    }
    if (input->IsActionPressed(Action::MenuClear) && line_ < actions) {
        const ActionMappings changed = Unbind(input->Mappings, ListedActions()[line_], slot_);
        if (const std::optional<Action> stranded = StrandedLifeline(changed)) {
            playCue("ErrorBuzz");
            Note(std::string(ActionLabel(*stranded)) + " needs a key, or the menu could not be reached");
        } else {
            Apply(changed);
        }
    }
}

void UiControlsMenuBhv::Capture() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    if (input->IsKeyPressed(Key::Esc) || timer_ <= 0.0f) {
        mode_ = Mode::Browse;
        return;
    }
    Key pressed = Key::None;
    for (int number = 0; number < KeySetSize && pressed == Key::None; ++number) {
        const auto key = static_cast<Key>(number);
        if (IsBindable(key) && input->IsKeyPressed(key)) {
            pressed = key;
        }
    }
    if (pressed == Key::None) {
        return;
    }
    const Action action = ListedActions()[static_cast<size_t>(line_)];
    Binding binding = Bind(input->Mappings, action, slot_, pressed);
    mode_ = Mode::Browse;
    taken_ = pressed;
    if (const std::optional<Action> stranded = StrandedLifeline(binding.Mappings)) {
        playCue("ErrorBuzz");
        Note(std::string(ActionLabel(*stranded)) + " needs a key, or the menu could not be reached");
        return;
    }
    if (binding.Clashes.empty()) {
        Apply(binding.Mappings);
        return;
    }
    std::string others;
    for (Action other : binding.Clashes) {
        others += (others.empty() ? "" : ", ") + std::string(ActionLabel(other));
    }
    pending_ = std::move(binding.Mappings);
    mode_ = Mode::Conflict;
    note_ = KeyLabel(pressed) + " is bound to " + others + ".   {MenuConfirm}: swap    {MenuCancel}: cancel";
}

void UiControlsMenuBhv::AnswerConflict() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    if (input->IsActionPressed(Action::MenuConfirm)) {
        mode_ = Mode::Browse;
        Apply(pending_);
    } else if (input->IsActionPressed(Action::MenuCancel)) {
        mode_ = Mode::Browse;
    }
}

void UiControlsMenuBhv::Apply(const ActionMappings& mappings) {
    InputManager* input = Service<InputManager>::TryGet();
    if (!input || input->Mappings == mappings) {
        return;
    }
    input->Mappings = mappings;
    if (ControlsStore* store = Service<ControlsStore>::TryGet()) {
        store->KeepMappings(mappings);
    }
    ShowRows();
}

void UiControlsMenuBhv::Note(const std::string& text) {
    note_ = text;
    noteTimer_ = NoteSeconds;
}

void UiControlsMenuBhv::Back() {
    mode_ = Mode::Browse;
    line_ = 0;
    slot_ = 0;
    noteTimer_ = 0.0f;
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get()) {
        root->openOptionsMenu();
    }
}

const ActionMappings* UiControlsMenuBhv::Shipped() const {
    const ControlsStore* store = Service<ControlsStore>::TryGet();
    return store ? &store->ShippedMappings() : nullptr;
}

void UiControlsMenuBhv::Update() {
    const GameTime* time = Service<GameTime>::TryGet();
    const float delta = time ? time->FrameDelta : 0.0f;
    if (mode_ == Mode::Capture) {
        timer_ -= delta;
    }
    if (noteTimer_ > 0.0f) {
        noteTimer_ -= delta;
    }
    ShowRows();
    ShowHint();
}

void UiControlsMenuBhv::ShowRows() {
    const InputManager* input = Service<InputManager>::TryGet();
    const std::vector<Action>& actions = ListedActions();
    const float dimmed = std::clamp(InactiveAlpha, 0.0f, 1.0f) * 255.0f;
    for (size_t line = 0; line < rows_.size(); ++line) {
        const bool selectedLine = static_cast<int>(line) == line_;
        for (size_t cell = 0; cell < rows_[line].Texts.size(); ++cell) {
            TextComponent* text = rows_[line].Texts[cell].Get();
            if (!text) {
                continue;
            }
            const int slot = static_cast<int>(cell) - 1;
            if (slot >= 0) {
                std::string shown;
                if (line < actions.size()) {
                    const std::vector<Key> keys =
                        input ? BoundKeys(input->Mappings, actions[line], SlotDevice(slot))
                              : std::vector<Key>{};
                    const size_t index = static_cast<size_t>(slot % 2);
                    shown = index < keys.size() ? KeyLabel(keys[index]) : "-";
                    if (selectedLine && slot == slot_ && mode_ == Mode::Capture) {
                        shown = "press...";
                    }
                }
                if (text->Text != shown) {
                    text->Text = std::move(shown);
                }
            }
            if (GameObject* cellObject = text->Owner) {
                if (TintComponent* tint = cellObject->Tint()) {
                    const bool selectedCell = selectedLine && slot == slot_ && line < actions.size();
                    const Color colour = selectedCell ? SelectedSlotColor : Color::White();
                    tint->Tint = Color(colour.r, colour.g, colour.b,
                                       selectedLine ? 255 : static_cast<uint8_t>(dimmed));
                }
            }
        }
    }
}

void UiControlsMenuBhv::ShowHint() {
    UiKeyHintBhv* hint = hint_.Get();
    if (!hint) {
        return;
    }
    std::string shown = browseHint_;
    if (mode_ == Mode::Capture) {
        const Action action = ListedActions()[static_cast<size_t>(line_)];
        shown = "Press the new key, mouse button or pad input for " + std::string(ActionLabel(action)) +
                "    Esc: cancel";
    } else if (mode_ == Mode::Conflict || noteTimer_ > 0.0f) {
        shown = note_;
    }
    if (hint->Template != shown) {
        hint->Template = std::move(shown);
    }
    hint->Refresh();
}
