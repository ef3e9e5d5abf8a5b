#include "editor/widgets/EdFieldBhv.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/widgets/WidgetPieces.h"
#include "input/InputManager.h"
#include "platform/ClipboardBackend.h"

namespace {

constexpr size_t MaxPastedBytes = 1024;

// The clipboard's text as one line: up to its first zero byte, at most MaxPastedBytes, without
// line breaks or other control characters.
std::string PastedLine() {
    ClipboardBackend* clipboard = Service<ClipboardBackend>::TryGet();
    if (!clipboard) {
        return {};
    }
    const std::string text = clipboard->GetText();
    std::string line;
    for (char c : text) {
        if (c == '\0' || line.size() == MaxPastedBytes) {
            break;
        }
        if (static_cast<unsigned char>(c) >= 32) {
            line += c;
        }
    }
    return line;
}

bool IsIntegerText(const std::string& text) {
    static const std::regex Integer(R"(^\s*[-+]?\d+\s*$)");
    return std::regex_match(text, Integer);
}

bool IsDecimalText(const std::string& text) {
    static const std::regex Decimal(R"(^[-+]?[0-9]*\.?[0-9]+$)");
    return std::regex_match(text, Decimal);
}

} // namespace

EdFieldBhv::EdFieldBhv() {
    RegisterProperty("Height", &Height);
}

void EdFieldBhv::Start() {
    boxTint_ = WidgetPieces::GetTint(FindChild("Box"));
}

void EdFieldBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    GameObject* box = FindChild("Box");
    GameObject* text = FindChild("Text");
    WidgetPieces::PlaceSprite(box, x - 1.0f, y + 1.0f, width, height - 2.0f);
    Caret = std::clamp(Caret, 0, static_cast<int>(Text.size()));
    shown_.assign(Text);
    if (IsEditing) {
        shown_.insert(static_cast<size_t>(Caret), 1, '|');
    }
    WidgetPieces::PlaceText(text, x, y + height * 0.5f, shown_, TextXAlignment::Left);
    if (!IsEditable) {
        Color hidden = boxTint_;
        hidden.a = 0;
        WidgetPieces::SetTint(box, hidden);
        WidgetPieces::SetTint(text, Color::White());
    } else {
        WidgetPieces::SetTint(box, IsEditing ? EditingTint : boxTint_);
        WidgetPieces::SetTint(text, WidgetPieces::Black);
    }
}

void EdFieldBhv::BeginEditing() {
    IsEditing = true;
    Caret = static_cast<int>(Text.size());
}

void EdFieldBhv::Commit() {
    IsEditing = false;
    if (ChangeHandler) {
        // A copy: the handler may set this field's text while it runs.
        const std::string text = Text;
        ChangeHandler(text);
    }
}

void EdFieldBhv::HandleInput() {
    if (!IsEditable) {
        IsEditing = false;
        return;
    }
    const InputManager& input = Service<InputManager>::Get();
    const bool left = input.IsKeyPressed(Key::LeftMouse);
    const bool right = input.IsKeyPressed(Key::RightMouse);
    if (left || right) {
        if (!Contains(input.MousePosition)) {
            if (IsEditing) {
                if (left) {
                    Commit();
                } else {
                    IsEditing = false;
                }
            }
        } else {
            if (right) {
                Text.clear();
            }
            BeginEditing();
        }
    }
    if (IsEditing) {
        EditKeys();
    }
    Refresh();
}

void EdFieldBhv::EditKeys() {
    const InputManager& input = Service<InputManager>::Get();
    const bool ctrl = input.IsKeyDown(Key::Ctrl);
    Caret = std::clamp(Caret, 0, static_cast<int>(Text.size()));
    const auto caret = static_cast<size_t>(Caret);

    if (input.IsKeyFired(Key::Left) && Caret > 0) {
        --Caret;
    } else if (input.IsKeyFired(Key::Right) && caret < Text.size()) {
        ++Caret;
    } else if (input.IsKeyFired(Key::Home)) {
        Caret = 0;
    } else if (input.IsKeyFired(Key::End)) {
        Caret = static_cast<int>(Text.size());
    } else if (input.IsKeyFired(Key::Backspace) && Caret > 0) {
        Text.erase(caret - 1, 1);
        --Caret;
    } else if (input.IsKeyFired(Key::Delete) && caret < Text.size()) {
        Text.erase(caret, 1);
    } else if (ctrl && input.IsKeyFired(Key::C)) {
        if (ClipboardBackend* clipboard = Service<ClipboardBackend>::TryGet()) {
            clipboard->SetText(Text);
        }
    } else if (ctrl && input.IsKeyFired(Key::V)) {
        const std::string pasted = PastedLine();
        Text.insert(caret, pasted);
        Caret += static_cast<int>(pasted.size());
    }

    if (input.IsKeyFired(Key::OemEnter) || input.IsKeyFired(Key::Tab)) {
        Commit();
        return;
    }
    if (input.IsKeyFired(Key::Esc)) {
        IsEditing = false;
        return;
    }
    if (!ctrl && !input.TypedText.empty()) {
        Text.insert(static_cast<size_t>(Caret), input.TypedText);
        Caret += static_cast<int>(input.TypedText.size());
    }

    const bool up = input.IsKeyFired(Key::Up);
    if (up || input.IsKeyFired(Key::Down)) {
        double step = up ? 1.0 : -1.0;
        if (input.IsKeyDown(Key::Shift)) {
            step *= 10.0;
        } else if (ctrl) {
            step *= 0.1;
        }
        if (std::optional<std::string> nudged = Nudge(Text, step)) {
            Text = std::move(*nudged);
            Caret = static_cast<int>(Text.size());
            if (ChangeHandler) {
                const std::string text = Text;
                IsNudging = true;
                ChangeHandler(text);
                IsNudging = false;
            }
        }
    }
}

std::optional<std::string> EdFieldBhv::Nudge(std::string_view view, double step) {
    const std::string text(view);
    if (IsIntegerText(text)) {
        errno = 0;
        char* end = nullptr;
        const long long value = std::strtoll(text.c_str(), &end, 10);
        const auto add = static_cast<long long>(step); // truncated: 0.1 steps leave integers alone
        if (errno == ERANGE || (add > 0 && value > LLONG_MAX - add) || (add < 0 && value < LLONG_MIN - add)) {
            return std::nullopt;
        }
        return std::to_string(value + add);
    }
    if (IsDecimalText(text)) {
        const double value = std::strtod(text.c_str(), nullptr);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*g", 17, value + step);
        return std::string(buffer);
    }
    return std::nullopt;
}
