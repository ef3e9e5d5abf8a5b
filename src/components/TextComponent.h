#pragma once

#include <string>
#include <vector>

#include "assets/BitmapFont.h"
#include "components/TextLine.h"
#include "core/Component.h"
#include "core/DrawLayer.h"
#include "core/Rect.h"
#include "core/TextAlignment.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

// Text drawn from a bitmap font. It is laid out afresh every time it is drawn: lines break at "\n"
// and, with a box width, at the last space before the edge; the block stops at the box height.
class TextComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "TextComponent";

    TextComponent();
    ShortcutSlot Slot() const override { return ShortcutSlot::Text; }

    // First: the draw walk reads these two for every text, the rest only when it draws it.
    BitmapFont* Font = nullptr; // not owned; without one nothing is drawn
    DrawLayer Layer = DrawLayer::World;
    TextXAlignment AlignmentX = TextXAlignment::Left;
    TextYAlignment AlignmentY = TextYAlignment::Middle;
    Vector2 BoxSize;                // wrap width and height limit; 0 means none
    float FontSize = 1.0f;          // line height in the layer's units
    float LineSpacing = 1.0f;       // advance after a line, in FontSize units
    float ParagraphSpacing = 0.75f; // advance after an empty line, in FontSize units
    std::string Text = "WriteMe";

    // Breaks Text into lines (reusing the vector's storage) and returns the block height. Needs a
    // font.
    float BreakLines(std::vector<TextLine>& lines) const;

    // Hands one quad per character of the broken lines to sink(page texture, uv rectangle, size,
    // offset), as the renderer's AddQuad takes them. flipX / flipY are the renderer's camera flips.
    template <class Sink>
    void EmitGlyphQuads(const std::vector<TextLine>& lines, float blockHeight, bool flipX, bool flipY,
                        Sink&& sink) const;
};

template <class Sink>
void TextComponent::EmitGlyphQuads(const std::vector<TextLine>& lines, float blockHeight, bool flipX,
                                   bool flipY, Sink&& sink) const {
    const BitmapFont& font = *Font;
    const float k = FontSize / font.LineHeightNorm;
    const float dx = flipX ? -1.0f : 1.0f;
    const float dy = flipY ? -1.0f : 1.0f;
    const Texture* page = font.Page.get();

    float startY = 0.0f;
    if (AlignmentY == TextYAlignment::Middle) {
        startY = blockHeight / 2;
    } else if (AlignmentY == TextYAlignment::Bottom) {
        startY = blockHeight;
    }
    float penY = startY * dy;
    const char* text = Text.data();
    for (const TextLine& line : lines) {
        float startX = 0.0f;
        if (AlignmentX == TextXAlignment::Center) {
            startX = -line.Width / 2;
        } else if (AlignmentX == TextXAlignment::Right) {
            startX = -line.Width;
        }
        float penX = startX * dx;
        const char* chars = text + line.Start;
        for (int j = 0; j < line.Length; ++j) {
            const char c = chars[j];
            const Glyph& g = font.ByteGlyph(c);
            const Vector2 size{g.width * k, g.height * k};
            if (j > 0) {
                penX += font.ByteKerning(chars[j - 1], c) * k * dx;
            }
            const Vector2 offset{-size.x / 2 * dx - penX - g.xoffset * k * dx,
                                 g.yoffset * k * dy + size.y / 2 * dy - penY};
            sink(page, Rect{g.x, g.y, g.width, g.height}, size, offset);
            penX += g.xadvance * k * dx;
        }
        penY -= (line.Width == 0.0f ? ParagraphSpacing : LineSpacing) * FontSize * dy;
    }
}
