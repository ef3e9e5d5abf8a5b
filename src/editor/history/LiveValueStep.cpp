#include "editor/history/LiveValueStep.h"

#include <vector>

#include "core/GameObject.h"
#include "editor/history/LiveRecord.h"
#include "reflection/IEditable.h"

LiveValueStep::LiveValueStep(GameObject& object, What what, std::string label, std::string before,
                             std::string after)
    : EdStep({}), object_(&object), what_(what), label_(std::move(label)), before_(std::move(before)),
      after_(std::move(after)) {
    Describe();
}

LiveValueStep& LiveValueStep::OnProperty(int index, std::string className, std::string key, int subIndex) {
    index_ = index;
    className_ = std::move(className);
    key_ = std::move(key);
    subIndex_ = subIndex;
    return *this;
}

void LiveValueStep::Describe() {
    Text = (what_ == What::Name ? "Rename " : "Set ") + label_ + ": " + before_ + " -> " + after_;
    RunKey = label_;
}

size_t LiveValueStep::Bytes() const {
    return sizeof(*this) + Text.capacity() + label_.capacity() + before_.capacity() + after_.capacity() +
           className_.capacity() + key_.capacity();
}

void LiveValueStep::Forget(GameObject& object) {
    if (object_ == &object) {
        object_ = nullptr;
    }
}

bool LiveValueStep::Absorb(EdStep& next) {
    auto* other = dynamic_cast<LiveValueStep*>(&next);
    if (!other || other->object_ != object_ || other->what_ != what_ || other->index_ != index_ ||
        other->key_ != key_ || other->subIndex_ != subIndex_ || other->before_ != after_) {
        return false;
    }
    after_ = other->after_;
    TakeEnd(next);
    return true;
}

bool LiveValueStep::Apply(const std::string& value) {
    if (!object_) {
        return false;
    }
    const bool on = value == "true";
    switch (what_) {
    case What::Property: {
        const std::vector<IEditable*> components = EditableComponents(*object_);
        if (index_ < 0 || static_cast<size_t>(index_) >= components.size() ||
            ClassNameOf(*components[static_cast<size_t>(index_)]) != className_) {
            return false;
        }
        components[static_cast<size_t>(index_)]->SetPropertyText(key_, subIndex_, value);
        return true;
    }
    case What::Name:
        object_->Name = value;
        return true;
    case What::InputFlag:
        object_->InputEnabled = on;
        return true;
    case What::UpdateFlag:
        object_->UpdateEnabled = on;
        return true;
    case What::DrawFlag:
        object_->DrawEnabled = on;
        return true;
    }
    return false;
}
