#pragma once

#include <filesystem>
#include <string_view>

// Whether name can name a prefab: it becomes a file name in the prefab folder, so it is a name and
// not a path. Refused: the empty name, "." and "..", and any name holding "/", "\" or a control
// character.
bool IsPrefabName(std::string_view name);

// Whether the file holds a prefab: its extension, lowered, is ".json".
bool IsPrefabFile(const std::filesystem::path& path);
