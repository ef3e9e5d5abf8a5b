#include "player/HudMessage.h"

#include <utility>

namespace {

std::function<void(const std::string&)>& Sink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

} // namespace

void showHudMessage(const std::string& text) {
    if (Sink()) {
        Sink()(text);
    }
}

std::function<void(const std::string&)> SetHudMessageSink(std::function<void(const std::string&)> sink) {
    return std::exchange(Sink(), std::move(sink));
}
