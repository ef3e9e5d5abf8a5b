#pragma once

#include "editor/palettes/EditSelection.h"

class GameObject;

// The live object selected in the object list: values go to its components at once.
class ObjectSelection : public EditSelection {
public:
    bool Exists() const override { return Object() != nullptr; }
    const void* Identity() const override { return Object(); }
    const char* Title() const override { return "Edit Instance"; }
    const std::string& Name() const override;
    const std::string& PrefabName() const override;
    std::string Subject() const override;
    bool IsLive() const override { return true; }

    void CollectEditables(std::vector<IEditable*>& out) const override;
    const IEditable* PropertySource(const IEditable& editable) const override { return &editable; }
    std::string ValueText(const IEditable& editable, const std::string& key, int subIndex) const override;

    void CommitProperty(IEditable& editable, const std::string& key, int subIndex, const std::string& text,
                        const std::string& label, bool nudge) override;
    void CommitName(const std::string& text) override;
    IEditable* AddComponent(const std::string& className) override;
    void RemoveComponent(IEditable& editable) override;
    void MoveComponent(IEditable& editable, int offset) override;
    void Change(const std::string& text, const std::function<void()>& change) override;

private:
    GameObject* Object() const;
};
