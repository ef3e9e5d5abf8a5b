#pragma once

#include <functional>
#include <string>
#include <vector>

class IEditable;

// What the edit palette edits: a live object, a prefab, or an AutoCreate entry of a prefab. The
// palette asks it for rows and values and hands it every change; each change becomes one step
// of the editor's history.
class EditSelection {
public:
    virtual ~EditSelection() = default;

    // Whether something of this kind is selected now.
    virtual bool Exists() const = 0;
    // The selected thing's address: a different one rebuilds the palette's rows.
    virtual const void* Identity() const = 0;
    virtual const char* Title() const = 0;
    virtual const std::string& Name() const = 0;
    virtual const std::string& PrefabName() const = 0;
    // How the history names the selection ("QuickslotFrame4", "Hud", "Hud/Money").
    virtual std::string Subject() const = 0;
    // Live objects show their flags and every value; prefab data only what it stores.
    virtual bool IsLive() const = 0;

    // The editables, in order, into out.
    virtual void CollectEditables(std::vector<IEditable*>& out) const = 0;
    // What answers for the editable's property keys and types (the class prototype for prefab
    // data), or null.
    virtual const IEditable* PropertySource(const IEditable& editable) const = 0;
    virtual std::string ValueText(const IEditable& editable, const std::string& key, int subIndex) const = 0;

    // Text for one sub-property of a property; label names it ("Pos.X"). A nudge may join the step of the
    // nudges just before it.
    virtual void CommitProperty(IEditable& editable, const std::string& key, int subIndex,
                                const std::string& text, const std::string& label, bool nudge) = 0;
    virtual void CommitName(const std::string& text) = 0;
    // Returns the new component, or null.
    virtual IEditable* AddComponent(const std::string& className) = 0;
    virtual void RemoveComponent(IEditable& editable) = 0;
    virtual void MoveComponent(IEditable& editable, int offset) = 0;
    // Runs change, which writes values of the selection's components, as one step named text.
    virtual void Change(const std::string& text, const std::function<void()>& change) = 0;
};
