#pragma once

#include <cassert>

// The accessor of a process-wide service: one instance of T, created and destroyed by the
// Application in a fixed order, reachable from everywhere as Service<T>::Get(). Tests install
// their own instances with Service<T>::Scoped.
template <class T> class Service {
public:
    static T& Get() {
        assert(instance_ && "service used before it was created or after it was destroyed");
        return *instance_;
    }
    static T* TryGet() { return instance_; }
    static void Set(T* instance) { instance_ = instance; }

    // Installs an instance for the lifetime of this object and restores the previous one after.
    class Scoped {
    public:
        explicit Scoped(T& instance) : previous_(instance_) { instance_ = &instance; }
        ~Scoped() { instance_ = previous_; }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;

    private:
        T* previous_;
    };

private:
    static inline T* instance_ = nullptr;
};
