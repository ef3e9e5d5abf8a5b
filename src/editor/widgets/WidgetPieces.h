#pragma once

#include <string_view>

#include "core/Color.h"
#include "core/TextAlignment.h"

class GameObject;

// The drawn pieces of a widget ("Background", "Box", "Text") are child objects with a position, a
// sprite or text, and a tint. These place them in screen pixels; a null piece is skipped.
namespace WidgetPieces {

// The text colour of fields and lit toggles.
inline constexpr Color Black{0, 0, 0, 255};

// The piece's sprite covers (x, y, width, height): its size is (width, height), negated on both axes
// when mirrored (the pressed look), and it is centred there.
void PlaceSprite(GameObject* piece, float x, float y, float width, float height, bool mirrored = false);

// The piece's text shows text, anchored at (x, y) with the given horizontal alignment, vertically
// centred on y.
void PlaceText(GameObject* piece, float x, float y, std::string_view text, TextXAlignment alignment);

// The piece's tint, or white when it has none.
Color GetTint(const GameObject* piece);
void SetTint(GameObject* piece, Color tint);

} // namespace WidgetPieces
