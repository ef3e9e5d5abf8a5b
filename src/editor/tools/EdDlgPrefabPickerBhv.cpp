#include "editor/tools/EdDlgPrefabPickerBhv.h"

#include "core/Service.h"
#include "editor/EditorState.h"
#include "prefabs/PrefabManager.h"

EdDlgPrefabPickerBhv::~EdDlgPrefabPickerBhv() {
    if (EditorState* editor = Service<EditorState>::TryGet(); editor && editor->PrefabPicker == this) {
        editor->PrefabPicker = nullptr;
    }
}

void EdDlgPrefabPickerBhv::Start() {
    EdDlgNamePickerBhv::Start();
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->PrefabPicker = this;
    }
}

std::vector<std::string> EdDlgPrefabPickerBhv::AllNames() const {
    std::vector<std::string> names;
    for (const auto& [name, prefab] : Service<PrefabManager>::Get().Prefabs) {
        names.push_back(name);
    }
    return names;
}
