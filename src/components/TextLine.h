#pragma once

// One laid-out line of a text: the characters [Start, Start + Length) of the text and the width
// they take in the layer's units. Breaking only ever cuts a line's end, so a line is always a
// contiguous run of the text.
struct TextLine {
    int Start = 0;
    int Length = 0;
    float Width = 0.0f;
};
