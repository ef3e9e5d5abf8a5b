#pragma once

// The well-known instance of T: a process-wide, non-owning reference to the one behaviour or
// object the game reaches without walking the tree (the submarine, the thing root, the cue
// manager...). T's Start hook calls Register(this) and its destructor ClearIf(this), so a
// replacement that started later is never cleared by the one it replaced.
template <class T> class WellKnown {
public:
    static T* Get() { return instance_; }
    static void Register(T* instance) { instance_ = instance; }
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
    static inline T* instance_ = nullptr;
};
