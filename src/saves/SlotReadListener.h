#pragma once

#include <cstdint>
#include <span>
#include <string>

// Told of every slot file a load reads (reached as Service<SlotReadListener>, when there is one): a
// session's recording keeps what the session loaded, so that its replay loads the same.
class SlotReadListener {
public:
    virtual ~SlotReadListener() = default;
    // `bytes` is null when the slot had no file.
    virtual void SlotRead(const std::string& slotName, const std::span<const uint8_t>* bytes) = 0;
};
