#pragma once

#include <string>

#include "editor/history/EdStep.h"

// One value of a live object set from before to after: a sub-property of a component's property (the
// component named by its place among the object's editable components), the object's name, or
// one of its flags ("true"/"false").
class LiveValueStep : public EdStep {
public:
    enum class What { Property, Name, InputFlag, UpdateFlag, DrawFlag };

    // label names the value for the history ("Pos.X of QuickslotFrame4").
    LiveValueStep(GameObject& object, What what, std::string label, std::string before, std::string after);
    // The sub-property subIndex of the property key of the component at index among the object's editable
    // components.
    LiveValueStep& OnProperty(int index, std::string className, std::string key, int subIndex);

    bool Undo() override { return Apply(before_); }
    bool Redo() override { return Apply(after_); }
    size_t Bytes() const override;
    void ForEachObject(const std::function<void(GameObject*)>& visit) const override { visit(object_); }
    void Forget(GameObject& object) override;
    // A later change of the same value: this step now ends where it ends.
    bool Absorb(EdStep& next) override;

private:
    bool Apply(const std::string& value);
    void Describe();

    GameObject* object_;
    What what_;
    std::string label_;
    std::string before_;
    std::string after_;
    int index_ = -1;
    std::string className_;
    std::string key_;
    int subIndex_ = 0;
};
