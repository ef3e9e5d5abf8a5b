#include "prefabs/PreparedComponent.h"

#include <iterator>
#include <memory>

#include "core/Component.h"
#include "prefabs/PrefabComponent.h"

PreparedComponent::PreparedComponent(const ComponentRegistry& registry, const PrefabComponent& recorded)
    : class_(&registry.GetEntry(recorded.ClassName)), className_(recorded.ClassName) {
    // A fresh instance shows where each key sits among the class's registrations (both lists are in
    // key order, so one walk finds them all).
    const std::unique_ptr<IEditable> sample = class_->Create();
    makesComponents_ = dynamic_cast<Component*>(sample.get()) != nullptr;
    registrations_ = sample->Properties.size();
    auto target = sample->Properties.begin();
    size_t position = 0;
    size_t previous = 0;
    bool first = true;
    for (const auto& [key, holder] : recorded.Properties) {
        holders_.push_back(holder.get());
        while (target != sample->Properties.end() && target->first < key) {
            ++target;
            ++position;
        }
        if (target == sample->Properties.end() || target->first != key) {
            continue; // a key the class does not have: nothing to copy
        }
        values_.push_back({holder.get(), &key, first ? position : position - previous});
        previous = position;
        first = false;
    }
}

bool PreparedComponent::Matches(const PrefabComponent& recorded) const {
    if (recorded.Properties.size() != holders_.size() || recorded.ClassName != className_) {
        return false;
    }
    size_t i = 0;
    for (const auto& [key, holder] : recorded.Properties) {
        if (holder.get() != holders_[i++]) {
            return false;
        }
    }
    return true;
}

IEditable* PreparedComponent::Create(Component*& component) const {
    component = nullptr;
    if (!makesComponents_) {
        return nullptr;
    }
    IEditable* made = class_->Create().release();
    component = dynamic_cast<Component*>(made);
    return made;
}

void PreparedComponent::Apply(IEditable& target) const {
    auto& properties = target.Properties;
    if (properties.size() != registrations_) {
        // An instance that gained or lost registrations since it was made: find each by its key.
        for (const Value& value : values_) {
            if (PropertyRegistration* reg = target.FindProperty(*value.Key)) {
                value.Holder->CopyValueTo(*reg);
            }
        }
        return;
    }
    auto it = properties.begin();
    for (const Value& value : values_) {
        std::advance(it, static_cast<std::ptrdiff_t>(value.Step));
        value.Holder->CopyValueTo(*it->second);
    }
}
