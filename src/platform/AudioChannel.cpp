#include "platform/AudioChannel.h"

#include "platform/AudioSystem.h"

bool AudioChannel::IsPlaying() const {
    return system_ && system_->channelIsPlaying(index_, generation_);
}

void AudioChannel::SetPaused(bool paused) {
    if (system_) {
        system_->channelSetPaused(index_, generation_, paused);
    }
}

void AudioChannel::SetFrequency(float hz) {
    if (system_) {
        system_->channelSetFrequency(index_, generation_, hz);
    }
}

float AudioChannel::GetFrequency() const {
    return system_ ? system_->channelGetFrequency(index_, generation_) : 0.0f;
}

void AudioChannel::SetVolume(float volume) {
    if (system_) {
        system_->channelSetVolume(index_, generation_, volume);
    }
}

void AudioChannel::SetLoopCount(int count) {
    if (system_) {
        system_->channelSetLoopCount(index_, generation_, count);
    }
}

void AudioChannel::Stop() {
    if (system_) {
        system_->channelStop(index_, generation_);
    }
}
