#pragma once

#include <string>
#include <vector>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "ui/options/OptionsStore.h"

class GameObject;
class TextComponent;
class TextMenuBhv;

// The options menu, reached from the main menu: master, music and effects volume, fullscreen, the
// controls page, back.
// Its lines are the TextMenuBhv's items in that order; each shows the label its prefab gives it,
// followed by the value. "MoveLeft" and "MoveRight" change the selected line's value (volumes in
// steps of a tenth, fullscreen on and off), "MenuConfirm" toggles fullscreen, opens the controls
// page (when the menu root has one) or goes back, and
// "MenuCancel" goes back to the main menu. Every change goes straight to the OptionsStore, which
// applies and keeps it.
class UiOptionsMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiOptionsMenuBhv";

    enum Line { MasterLine, MusicLine, EffectsLine, FullscreenLine, ControlsLine, BackLine };

    static constexpr float VolumeStep = 0.1f;

    // Switches the menu off and binds its list.
    void Start() override;
    void HandleInput() override;
    void Update() override;

    // Moves the value of a line one step (-1 left, +1 right); fullscreen flips either way.
    void Step(int line, int direction);
    void Back();

    // A volume one step further, kept on whole tenths so repeated steps never drift, within 0..1.
    static float SteppedVolume(float volume, int direction);
    // The value a line shows after its label: "80%", "On", "Off"; empty for the back line.
    static std::string ValueText(int line, const OptionValues& values);

private:
    void Chosen(int index);
    void ShowValues();

    Handle<TextMenuBhv> menu_;                 // a component the editor may remove
    std::vector<Handle<TextComponent>> texts_; // one per line; null where a line has no text (or lost it)
    std::vector<std::string> labels_;          // each line's text as the prefab gave it
};
