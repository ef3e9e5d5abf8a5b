#pragma once

#include <string>

// Plain-text copy and paste for the editor's text fields, through the clipboard service the
// application installs (Service<ClipboardBackend>); without one, reads are empty and writes vanish.

// The clipboard's text up to its first zero byte, at most 1024 bytes; empty when it holds no text.
std::string GetClipboardText();
// Puts text on the clipboard (the empty string puts an empty text).
void SetClipboardText(const std::string& text);
