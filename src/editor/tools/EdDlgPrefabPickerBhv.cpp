#include "editor/tools/EdDlgPrefabPickerBhv.h"

#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EditorState.h"
#include "prefabs/PrefabManager.h"

EdDlgPrefabPickerBhv::~EdDlgPrefabPickerBhv() {
    WellKnown<EdDlgPrefabPickerBhv>::ClearIf(this);
}

void EdDlgPrefabPickerBhv::Start() {
    EdDlgNamePickerBhv::Start();
    WellKnown<EdDlgPrefabPickerBhv>::Register(this);
}

std::vector<std::string> EdDlgPrefabPickerBhv::AllNames() const {
    std::vector<std::string> names;
    for (const auto& [name, prefab] : Service<PrefabManager>::Get().Prefabs) {
        names.push_back(name);
    }
    return names;
}
