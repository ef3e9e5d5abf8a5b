#include "editor/tools/EdDlgComponentPickerBhv.h"

#include "core/Service.h"
#include "editor/EditorState.h"
#include "prefabs/PrefabManager.h"

EdDlgComponentPickerBhv::~EdDlgComponentPickerBhv() {
    if (EditorState* editor = Service<EditorState>::TryGet(); editor && editor->ComponentPicker == this) {
        editor->ComponentPicker = nullptr;
    }
}

void EdDlgComponentPickerBhv::Start() {
    EdDlgNamePickerBhv::Start();
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->ComponentPicker = this;
    }
}

std::vector<std::string> EdDlgComponentPickerBhv::AllNames() const {
    return Service<PrefabManager>::Get().Registry.GetNames();
}
