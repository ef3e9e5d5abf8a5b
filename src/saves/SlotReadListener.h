#pragma once

#include <cstdint>
#include <span>
#include <string>

// Told of every slot file a load reads, just before and once read (reached as
// Service<SlotReadListener>, when there is one): a session's recording keeps what the session loaded,
// so that its replay loads the same.
class SlotReadListener {
public:
    virtual ~SlotReadListener() = default;
    // A load is about to read the slot's file (a replay puts the recorded file in place only now).
    virtual void SlotAboutToLoad(const std::string& /*slotName*/) {}
    // `bytes` is null when the slot had no file.
    virtual void SlotRead(const std::string& slotName, const std::span<const uint8_t>* bytes) = 0;
};
