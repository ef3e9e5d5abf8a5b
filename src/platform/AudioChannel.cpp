#include "platform/AudioChannel.h"

#include "platform/AudioSystemState.h"

#include <algorithm>

namespace {

// Runs op on the slot the handle names, with the device's context current; nothing when stale.
template <class Op>
auto withSlot(const std::weak_ptr<AudioSystemState>& weak, int index, std::uint32_t generation, Op op) {
    using Result = decltype(op(std::declval<AudioSystemState&>(), std::declval<AudioSlot&>()));
    std::shared_ptr<AudioSystemState> state = weak.lock();
    AudioSlot* slot = state ? state->find(index, generation) : nullptr;
    if (!slot) {
        return Result();
    }
    state->makeCurrent();
    return op(*state, *slot);
}

} // namespace

bool AudioChannel::IsPlaying() const {
    return withSlot(system_, index_, generation_,
                    [](AudioSystemState& state, AudioSlot& slot) { return state.isPlaying(slot); });
}

void AudioChannel::SetPaused(bool paused) {
    withSlot(system_, index_, generation_, [paused](AudioSystemState& state, AudioSlot& slot) {
        if (slot.paused == paused) {
            return;
        }
        slot.paused = paused;
        if (!slot.started) {
            if (!paused) {
                state.start(slot);
            }
        } else if (!state.silent) {
            if (paused) {
                alSourcePause(slot.source);
            } else {
                alSourcePlay(slot.source);
            }
        }
    });
}

void AudioChannel::SetFrequency(float hz) {
    withSlot(system_, index_, generation_, [hz](AudioSystemState& state, AudioSlot& slot) {
        if (slot.sound->DefaultFrequency() <= 0.0f) {
            return;
        }
        // A zero or negative pitch would freeze the channel for good; keep it crawling instead.
        slot.pitch = std::max(hz / slot.sound->DefaultFrequency(), 1.0f / 1024.0f);
        if (!state.silent) {
            alSourcef(slot.source, AL_PITCH, slot.pitch);
        }
    });
}

float AudioChannel::GetFrequency() const {
    return withSlot(system_, index_, generation_, [](AudioSystemState&, AudioSlot& slot) {
        return slot.pitch * slot.sound->DefaultFrequency();
    });
}

void AudioChannel::SetVolume(float volume) {
    withSlot(system_, index_, generation_, [volume](AudioSystemState& state, AudioSlot& slot) {
        slot.volume = std::clamp(volume, 0.0f, 1.0f);
        if (!state.silent) {
            alSourcef(slot.source, AL_GAIN, slot.volume * state.effectsVolume);
        }
    });
}

void AudioChannel::SetLoopCount(int count) {
    withSlot(system_, index_, generation_, [count](AudioSystemState& state, AudioSlot& slot) {
        slot.looping = count != 0;
        if (!state.silent) {
            alSourcei(slot.source, AL_LOOPING, slot.looping ? AL_TRUE : AL_FALSE);
        }
    });
}

void AudioChannel::Stop() {
    withSlot(system_, index_, generation_,
             [](AudioSystemState& state, AudioSlot& slot) { state.release(slot); });
}
