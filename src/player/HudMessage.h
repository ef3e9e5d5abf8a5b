#pragma once

#include <functional>
#include <string>

// Flashes a short text on the HUD ("Health Up"). Until a HUD installs its flash, nothing is shown.
void showHudMessage(const std::string& text);

// Installs the HUD's message flash (empty: none) and returns the one it replaces.
std::function<void(const std::string&)> SetHudMessageSink(std::function<void(const std::string&)> sink);
