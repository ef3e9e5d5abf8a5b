#include "editor/history/LiveObjectStep.h"

#include <algorithm>

#include "core/Component.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EditorState.h"
#include "editor/history/LiveRecord.h"

namespace {

void SwitchBodiesOff(GameObject& object) {
    for (Component* component : object.Components) {
        component->SetBodyActive(false);
    }
    for (GameObject* child : object.Children) {
        SwitchBodiesOff(*child);
    }
}

} // namespace

LiveObjectStep::~LiveObjectStep() {
    // What is out of the tree in the current state belongs to the step.
    const std::vector<Place>& in = done_ ? after_ : before_;
    const std::vector<Place>& other = done_ ? before_ : after_;
    for (const Place& place : other) {
        if (place.Object && !Holds(in, place.Object) && !place.Object->Parent) {
            GameObject* object = place.Object;
            Forget(*object);
            delete object;
        }
    }
}

void LiveObjectStep::Before(GameObject& object, GameObject& parent, size_t index) {
    before_.push_back({&object, &parent, index});
}

void LiveObjectStep::After(GameObject& object, GameObject& parent, size_t index) {
    after_.push_back({&object, &parent, index});
}

void LiveObjectStep::KeepWellKnown(const std::vector<void*>& before) {
    const std::vector<wellknown::Slot>& slots = wellknown::Slots();
    for (size_t i = 0; i < slots.size(); ++i) {
        void* was = i < before.size() ? before[i] : nullptr;
        void* now = slots[i].Read();
        if (was != now) {
            wellKnown_.push_back({i, was, now});
        }
    }
}

bool LiveObjectStep::Holds(const std::vector<Place>& places, const GameObject* object) {
    return std::any_of(places.begin(), places.end(), [object](const Place& p) { return p.Object == object; });
}

size_t LiveObjectStep::Bytes() const {
    size_t bytes = sizeof(*this) + Text.capacity() + (before_.capacity() + after_.capacity()) * sizeof(Place);
    // What the step keeps out of the tree counts at its serialised size.
    const std::vector<Place>& in = done_ ? after_ : before_;
    for (const Place& place : done_ ? before_ : after_) {
        if (place.Object && !Holds(in, place.Object) && !place.Object->Parent) {
            bytes += LiveTreeText(*place.Object).size();
        }
    }
    return bytes;
}

void LiveObjectStep::ForEachObject(const std::function<void(GameObject*)>& visit) const {
    for (const auto* places : {&before_, &after_}) {
        for (const Place& place : *places) {
            visit(place.Object);
            visit(place.Parent);
        }
    }
}

void LiveObjectStep::Forget(GameObject& object) {
    for (auto* places : {&before_, &after_}) {
        for (Place& place : *places) {
            if (place.Object == &object) {
                place.Object = nullptr;
            }
            if (place.Parent == &object) {
                place.Parent = nullptr;
            }
        }
    }
}

void LiveObjectStep::TakeOut(GameObject& object) {
    if (EditorState* editor = Service<EditorState>::TryGet()) {
        editor->ObjectLeaving(object);
    }
    if (object.Parent) {
        object.Parent->RemoveChild(&object);
    }
    SwitchBodiesOff(object);
}

void LiveObjectStep::PutIn(GameObject& object, GameObject& parent, size_t index) {
    parent.AppendChild(&object);
    auto& children = parent.Children;
    const size_t target = std::min(index, children.size() - 1);
    std::rotate(children.begin() + static_cast<long>(target), children.end() - 1, children.end());
}

bool LiveObjectStep::Apply(const std::vector<Place>& from, const std::vector<Place>& to) {
    // Everything first: a step half applied would leave the tree in neither state.
    for (const auto* places : {&from, &to}) {
        for (const Place& place : *places) {
            if (!place.Object || !place.Parent) {
                return false;
            }
        }
    }
    for (const Place& place : from) {
        if (!Holds(to, place.Object)) {
            TakeOut(*place.Object);
        }
    }
    // Moves among siblings: out first, then in at the new place.
    for (const Place& place : to) {
        if (Holds(from, place.Object) && place.Object->Parent) {
            place.Object->Parent->RemoveChild(place.Object);
        }
    }
    // Lowest places first, so each lands where it was.
    std::vector<Place> order = to;
    std::stable_sort(order.begin(), order.end(),
                     [](const Place& a, const Place& b) { return a.Index < b.Index; });
    for (const Place& place : order) {
        PutIn(*place.Object, *place.Parent, place.Index);
    }
    done_ = &to == &after_;
    // A reference the change moved goes with it, unless something has moved it since.
    for (const Binding& binding : wellKnown_) {
        const wellknown::Slot& slot = wellknown::Slots()[binding.Slot];
        if (slot.Read() == (done_ ? binding.Before : binding.After)) {
            slot.Write(done_ ? binding.After : binding.Before);
        }
    }
    return true;
}
