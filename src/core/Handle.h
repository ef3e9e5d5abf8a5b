#pragma once

#include <memory>

class Component;

// Non-owning pointers that turn null when what they point to is deleted. A behaviour that keeps an
// object or component it does not own (a readout, a row, a menu's lines) keeps it through a Handle:
// the editor may remove or rebuild any object and any component at any frame, and a plain pointer
// would then read freed memory.

namespace handles {
// The flag the handles of one object or component share; made on the first handle to it.
std::shared_ptr<bool> FlagOf(const void* target);
// Clears and forgets the flag of target, if any: called by ~GameObject and ~Component first thing.
void Expire(const void* target);
} // namespace handles

// T is GameObject or a Component type.
template <class T> class Handle {
public:
    Handle() = default;
    Handle(T* target) : target_(target) {
        if (target) {
            alive_ = handles::FlagOf(Key(target));
        }
    }

    // The target, or null when there is none or it has been deleted.
    T* Get() const { return alive_ && *alive_ ? target_ : nullptr; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { *this = Handle(); }

private:
    // The address the destructors expire: that of the GameObject or Component base.
    template <class U> static const void* Key(U* target) {
        if constexpr (requires { static_cast<const Component*>(target); }) {
            return static_cast<const Component*>(target);
        } else {
            return target;
        }
    }

    T* target_ = nullptr;
    std::shared_ptr<bool> alive_;
};
