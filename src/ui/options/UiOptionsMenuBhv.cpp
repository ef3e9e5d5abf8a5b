#include "ui/options/UiOptionsMenuBhv.h"

#include <cmath>
#include <cstdio>

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

// The line's text: on the line itself or the first of its descendants that has one.
TextComponent* TextOf(GameObject& line) {
    if (TextComponent* text = line.GetComponentOfType<TextComponent>()) {
        return text;
    }
    for (GameObject* child : line.Children) {
        if (TextComponent* text = TextOf(*child)) {
            return text;
        }
    }
    return nullptr;
}

} // namespace

void UiOptionsMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    Owner->SetPassesEnabled(false);
    for (GameObject* child : Owner->Children) {
        if (child->PrefabName == "UiTextMenuItem") {
            TextComponent* text = TextOf(*child);
            texts_.push_back(text);
            labels_.push_back(text ? text->Text : std::string());
        }
    }
    menu_ = Owner->GetComponentOfType<TextMenuBhv>();
    if (menu_) {
        menu_->SetItemChosenHandler([this](int index) { Chosen(index); });
    }
    ShowValues();
}

void UiOptionsMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !menu_) {
        return;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        Back();
        return;
    }
    const int direction =
        (input->IsActionFired(Action::MoveRight) ? 1 : 0) - (input->IsActionFired(Action::MoveLeft) ? 1 : 0);
    if (direction != 0) {
        Step(menu_->SelectedIndex(), direction);
    }
}

void UiOptionsMenuBhv::Update() {
    // The fullscreen state also changes by Alt+Enter behind the menu's back.
    ShowValues();
}

void UiOptionsMenuBhv::Step(int line, int direction) {
    OptionsStore* store = Service<OptionsStore>::TryGet();
    if (!store) {
        return;
    }
    OptionValues values = store->Options();
    switch (line) {
    case MasterLine:
        values.MasterVolume = SteppedVolume(values.MasterVolume, direction);
        break;
    case MusicLine:
        values.MusicVolume = SteppedVolume(values.MusicVolume, direction);
        break;
    case EffectsLine:
        values.EffectsVolume = SteppedVolume(values.EffectsVolume, direction);
        break;
    case FullscreenLine:
        values.Fullscreen = !values.Fullscreen;
        break;
    default:
        return;
    }
    store->SetOptions(values);
    ShowValues();
}

void UiOptionsMenuBhv::Back() {
    if (menu_) {
        menu_->ResetSelection();
    }
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get()) {
        root->openMainMenu();
    }
}

float UiOptionsMenuBhv::SteppedVolume(float volume, int direction) {
    // Divided rather than multiplied by the step: 9 / 10 is the float nearest 0.9, while 9 * 0.1f
    // drifts off it (0.90000004), and the settings file would show the drift.
    const float steps = std::round(1.0f / VolumeStep);
    const float tenths = std::round(volume * steps) + static_cast<float>(direction);
    return std::fmin(1.0f, std::fmax(0.0f, tenths / steps));
}

std::string UiOptionsMenuBhv::ValueText(int line, const OptionValues& values) {
    auto percent = [](float volume) {
        char text[8];
        std::snprintf(text, sizeof text, "%d%%", static_cast<int>(std::lround(volume * 100.0f)));
        return std::string(text);
    };
    switch (line) {
    case MasterLine:
        return percent(values.MasterVolume);
    case MusicLine:
        return percent(values.MusicVolume);
    case EffectsLine:
        return percent(values.EffectsVolume);
    case FullscreenLine:
        return values.Fullscreen ? "On" : "Off";
    default:
        return {};
    }
}

void UiOptionsMenuBhv::Chosen(int index) {
    UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get();
    if (index == FullscreenLine) {
        Step(index, 1);
    } else if (index == ControlsLine && root && root->ControlsMenu()) {
        // The selection stays on this line for the way back.
        if (Owner) {
            Owner->SetPassesEnabled(false);
        }
        root->openControlsMenu();
    } else if (index == BackLine) {
        Back();
    }
}

void UiOptionsMenuBhv::ShowValues() {
    const OptionsStore* store = Service<OptionsStore>::TryGet();
    const OptionValues values = store ? store->Options() : OptionValues{};
    for (size_t line = 0; line < texts_.size(); ++line) {
        if (!texts_[line]) {
            continue;
        }
        const std::string value = ValueText(static_cast<int>(line), values);
        std::string text = value.empty() ? labels_[line] : labels_[line] + "  " + value;
        if (texts_[line]->Text != text) {
            texts_[line]->Text = std::move(text);
        }
    }
}
