#include "app/KeymapKeeper.h"

#include <utility>

#include "app/KeymapFile.h"
#include "input/InputManager.h"

KeymapKeeper::KeymapKeeper(std::filesystem::path path, InputManager& input)
    : path_(std::move(path)), shipped_(input.Mappings) {
    input.Mappings = LoadKeymap(path_, shipped_);
}

void KeymapKeeper::KeepMappings(const ActionMappings& mappings) {
    SaveKeymap(shipped_, mappings, path_);
}
