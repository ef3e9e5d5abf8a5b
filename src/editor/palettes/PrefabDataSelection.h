#pragma once

#include <memory>
#include <vector>

#include "editor/palettes/EditSelection.h"

class Prefab;
class PrefabComponent;

// What a prefab and an AutoCreate entry share: a list of prefab components whose stored values
// are edited, held by a prefab whose data changes (and whose dirty mark follows).
class PrefabDataSelection : public EditSelection {
public:
    bool IsLive() const override { return false; }
    void CollectEditables(std::vector<IEditable*>& out) const override;
    const IEditable* PropertySource(const IEditable& editable) const override;
    // Only what the prefab stores; the class default shows as empty.
    std::string ValueText(const IEditable& editable, const std::string& key, int subIndex) const override;

    // An empty text removes the stored value, so the class default applies again.
    void CommitProperty(IEditable& editable, const std::string& key, int subIndex, const std::string& text,
                        const std::string& label, bool nudge) override;
    IEditable* AddComponent(const std::string& className) override;
    void RemoveComponent(IEditable& editable) override;
    void MoveComponent(IEditable& editable, int offset) override;
    void Change(const std::string& text, const std::function<void()>& change) override;

protected:
    // The list edited and the prefab whose data it is.
    virtual std::vector<std::unique_ptr<PrefabComponent>>& List() const = 0;
    virtual Prefab* DataPrefab() const = 0;
};
