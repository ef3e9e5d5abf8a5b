#include "editor/tools/EdDlgComponentPickerBhv.h"

#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EditorState.h"
#include "prefabs/PrefabManager.h"

EdDlgComponentPickerBhv::~EdDlgComponentPickerBhv() {
    WellKnown<EdDlgComponentPickerBhv>::ClearIf(this);
}

void EdDlgComponentPickerBhv::Start() {
    EdDlgNamePickerBhv::Start();
    WellKnown<EdDlgComponentPickerBhv>::Register(this);
}

std::vector<std::string> EdDlgComponentPickerBhv::AllNames() const {
    return Service<PrefabManager>::Get().Registry.GetNames();
}
