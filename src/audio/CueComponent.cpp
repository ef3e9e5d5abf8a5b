#include "audio/CueComponent.h"

void CueComponent::SetTrigger(Behavior* source, std::function<void()> trigger) {
    source_ = source;
    PlayTrigger = std::move(trigger);
}

void CueComponent::ClearTrigger(const Behavior* source) {
    if (source_ == source) {
        source_ = nullptr;
        PlayTrigger = nullptr;
    }
}
