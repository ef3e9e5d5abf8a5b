#include "editor/history/LiveComponentsStep.h"

#include "core/GameObject.h"

void LiveComponentsStep::Add(GameObject& object, std::vector<ComponentRecord> before,
                             std::vector<ComponentRecord> after) {
    if (before != after) {
        objects_.push_back({&object, std::move(before)});
    }
}

size_t LiveComponentsStep::Bytes() const {
    size_t bytes = sizeof(*this) + Text.capacity();
    for (const Entry& entry : objects_) {
        bytes += sizeof(entry) + RecordBytes(entry.Other);
    }
    return bytes;
}

void LiveComponentsStep::ForEachObject(const std::function<void(GameObject*)>& visit) const {
    for (const Entry& entry : objects_) {
        visit(entry.Object);
    }
}

void LiveComponentsStep::Forget(GameObject& object) {
    for (Entry& entry : objects_) {
        if (entry.Object == &object) {
            entry.Object = nullptr;
        }
    }
}

bool LiveComponentsStep::Swap() {
    for (const Entry& entry : objects_) {
        if (!entry.Object) {
            return false;
        }
    }
    for (Entry& entry : objects_) {
        std::vector<ComponentRecord> now = RecordComponents(*entry.Object);
        RestoreComponents(*entry.Object, entry.Other);
        entry.Other = std::move(now);
    }
    return true;
}
