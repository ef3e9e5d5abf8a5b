#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/CoCommand.h"

class GameObject;

// A box with a line of text that holds the game until the player answers it. It pauses the game two
// frames after it appears (so whatever raised it finishes its frame), and a fresh "MenuConfirm" or
// "MenuCancel" puts it away and lets the game run again, unless a menu is open, which keeps it paused.
class UiMessageBoxBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiMessageBoxBhv";
    static constexpr const char* Prefab = "UiMessageBox";

    // Starts the countdown to the pause.
    void Start() override;
    void HandleInput() override;
    // Arms the box: from the next frame on a press answers it, never the press that raised it.
    void Update() override { armed_ = true; }

    // Shown and not yet answered.
    bool IsShowing() const;

    // The box's text: its child "UiText".
    void SetText(const std::string& text);
    // Makes the box a question: "MenuConfirm" calls onYes, "MenuCancel" only puts the box away.
    void SetAnswerHandlers(std::function<void()> onYes, std::function<void()> onNo);

private:
    CoCommand PauseStep(int step);

    bool armed_ = false;
    std::function<void()> onYes_;
    std::function<void()> onNo_;
};

// Builds a "UiMessageBox" under the menu root showing text and returns it; null without a menu root
// or the prefab. The box goes away once answered.
GameObject* showMessageBox(const std::string& text);
// The same box asking a question, its "Hint" line naming the answers: Enter calls onYes, Esc onNo.
GameObject* askQuestion(const std::string& text, std::function<void()> onYes, std::function<void()> onNo);
// A question's "Hint" line, naming what its answers do: "{MenuConfirm}" and "{MenuCancel}" name the
// keys bound now.
void setQuestionHint(GameObject& box, const std::string& hint);
