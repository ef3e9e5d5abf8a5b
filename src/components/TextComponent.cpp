#include "components/TextComponent.h"

#include "core/IComponentShortcuts.h"

TextComponent* IComponentShortcuts::Text() const {
    return static_cast<TextComponent*>(GetSlot(ShortcutSlot::Text));
}

TextComponent::TextComponent() {
    RegisterProperty("AlignmentX", &AlignmentX);
    RegisterProperty("AlignmentY", &AlignmentY);
    RegisterProperty("BoxSize", &BoxSize);
    RegisterProperty("FontSize", &FontSize);
    RegisterProperty("Font", &Font);
    RegisterProperty("Layer", &Layer);
    RegisterProperty("LineSpacing", &LineSpacing);
    RegisterProperty("ParagraphSpacing", &ParagraphSpacing);
    RegisterProperty("Text", &Text);
}

float TextComponent::BreakLines(std::vector<TextLine>& lines) const {
    const BitmapFont& font = *Font;
    const float s = FontSize;
    const float k = s / font.LineHeightNorm;
    const float boxWidth = BoxSize.x;
    const float boxHeight = BoxSize.y;
    const int length = static_cast<int>(Text.size());
    const char* text = Text.data();

    lines.clear();
    lines.push_back({});
    float h = s;
    // Starts at 0 rather than "none": a first line without a space that overflows is emptied and
    // measured again from its second character.
    int lastSpace = 0;
    float lastSpaceWidth = 0.0f;
    int i = 0;
    while (i < length) {
        const char c = text[i];
        if (c == '\n') {
            lines.push_back({i + 1, 0, 0.0f}); // the paragraph gap
            h += ParagraphSpacing * s;
            lines.push_back({i + 1, 0, 0.0f});
            h += s;
            lastSpaceWidth = 0.0f;
            ++i;
            continue;
        }
        if (boxHeight > 0 && h > boxHeight) {
            lines.pop_back();
            break;
        }
        // The previous character of the whole text, even across a line break.
        const char prev = i > 0 ? text[i - 1] : '\0';
        TextLine& line = lines.back();
        if (c == ' ') {
            lastSpace = i;
            lastSpaceWidth = line.Width;
        }
        ++line.Length;
        line.Width += font.ByteGlyph(c).xadvance * k + font.ByteKerning(prev, c) * k;
        ++i;
        if (boxWidth > 0 && line.Width > boxWidth) {
            line.Width = lastSpaceWidth;
            const int cut = i - lastSpace;
            if (cut > line.Length) {
                break; // no space on this line to break at: the rest of the text is not shown
            }
            line.Length -= cut;
            lines.push_back({lastSpace + 1, 0, 0.0f});
            lastSpaceWidth = 0.0f;
            h += LineSpacing * s;
            i = lastSpace + 1;
        }
    }
    return h;
}
