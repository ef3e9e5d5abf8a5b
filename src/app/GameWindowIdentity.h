#pragma once

#include "platform/Window.h"

struct ContentLayers;

// The one id of the desktop entry, its icon and metainfo, and the window's WM_CLASS and app id, so
// that launchers and docks tie the running window to the entry (its StartupWMClass).
inline constexpr const char* GameAppId = "org.kelvane.Kelvane";

// The game window's title "Kelvane", its app id and the game's icon from "Icons/<app id>.png" in the
// content (no icon when that file is missing or unreadable).
WindowIdentity GameWindowIdentity(const ContentLayers& content);
