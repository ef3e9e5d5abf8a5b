#pragma once

#include <cstddef>
#include <vector>

namespace wellknown {
// Every well-known reference in use, read and written without its type, so that the editor can put
// back what one of its changes moved (a rebuilt object started, its old one is put back by undo).
struct Slot {
    void* (*Read)();
    void (*Write)(void*);
};
inline std::vector<Slot>& Slots() {
    static std::vector<Slot> slots;
    return slots;
}
// What each reference points at now, in slot order.
inline std::vector<void*> Bindings() {
    std::vector<void*> out;
    for (const Slot& slot : Slots()) {
        out.push_back(slot.Read());
    }
    return out;
}
} // namespace wellknown

// The well-known instance of T: a process-wide, non-owning reference to the one behaviour or
// object the game reaches without walking the tree (the submarine, the thing root, the cue
// manager...). T's Start hook calls Register(this) and its destructor ClearIf(this), so a
// replacement that started later is never cleared by the one it replaced.
template <class T> class WellKnown {
public:
    static T* Get() { return instance_; }
    static void Register(T* instance) {
        Enlist();
        instance_ = instance;
    }
    static void ClearIf(const T* instance) {
        if (instance_ == instance) {
            instance_ = nullptr;
        }
    }

    // Points the reference at another instance (or none) for this object's lifetime and restores
    // the previous one after; for tests.
    class Override {
    public:
        explicit Override(T* instance) : previous_(instance_) { instance_ = instance; }
        ~Override() { instance_ = previous_; }
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        T* previous_;
    };

private:
    static void Enlist() {
        static const bool enlisted = [] {
            wellknown::Slots().push_back({[]() -> void* { return instance_; },
                                          [](void* instance) {
                                              instance_ = static_cast<T*>(instance);
                                          }});
            return true;
        }();
        (void)enlisted;
    }

    static inline T* instance_ = nullptr;
};
