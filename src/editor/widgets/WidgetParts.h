#pragma once

#include <string_view>

#include "core/Color.h"
#include "core/TextAlignment.h"

class GameObject;

// The drawn parts of a widget ("Background", "Box", "Text") are child objects with a position, a
// sprite or text, and a tint. These place them in screen pixels; a null part is skipped.
namespace WidgetParts {

// The text colour of fields and lit toggles.
inline constexpr Color Black{0, 0, 0, 255};

// The part's sprite covers (x, y, width, height): its size is (width, height), negated on both axes
// when mirrored (the pressed look), and it is centred there.
void PlaceSprite(GameObject* part, float x, float y, float width, float height, bool mirrored = false);

// The part's text shows text, anchored at (x, y) with the given horizontal alignment, vertically
// centred on y.
void PlaceText(GameObject* part, float x, float y, std::string_view text, TextXAlignment alignment);

// The part's tint, or white when it has none.
Color GetTint(const GameObject* part);
void SetTint(GameObject* part, Color tint);

} // namespace WidgetParts
