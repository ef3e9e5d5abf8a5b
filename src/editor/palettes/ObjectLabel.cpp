#include "editor/palettes/ObjectLabel.h"

#include "core/GameObject.h"

void WriteObjectLabel(const GameObject& object, bool withChildMark, std::string& out) {
    if (!object.Name.empty()) {
        out.assign(object.Name);
    } else if (!object.PrefabName.empty()) {
        out.assign(object.PrefabName);
    } else {
        out.assign("GameObject");
    }
    if (withChildMark && !object.Children.empty()) {
        out += "  [+]";
    }
}
