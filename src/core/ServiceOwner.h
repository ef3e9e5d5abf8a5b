#pragma once

#include <memory>
#include <tuple>

#include "core/Service.h"

// Owns one instance of T and publishes it as Service<T>, and as Service<I> for each interface I it
// implements, from Install to Reset (or its own end); what was published before comes back after.
// Members of one aggregate therefore come up in declaration order and go in the reverse order.
template <class T, class... Interfaces> class ServiceOwner {
public:
    ServiceOwner() = default;
    explicit ServiceOwner(std::unique_ptr<T> object) { Install(std::move(object)); }
    ~ServiceOwner() { Reset(); }
    ServiceOwner(const ServiceOwner&) = delete;
    ServiceOwner& operator=(const ServiceOwner&) = delete;

    // Takes the object (which may be null: then none is published) and publishes it.
    T* Install(std::unique_ptr<T> object) {
        Reset();
        object_ = std::move(object);
        previous_ = {Service<T>::TryGet(), Service<Interfaces>::TryGet()...};
        Service<T>::Set(object_.get());
        (Service<Interfaces>::Set(object_.get()), ...);
        installed_ = true;
        return object_.get();
    }
    // Unpublishes the object, then deletes it.
    void Reset() {
        if (!installed_) {
            return;
        }
        installed_ = false;
        std::apply(
            [](T* own, Interfaces*... others) {
                Service<T>::Set(own);
                (Service<Interfaces>::Set(others), ...);
            },
            previous_);
        object_.reset();
    }

    T* get() const { return object_.get(); }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_.get(); }
    explicit operator bool() const { return object_ != nullptr; }

private:
    std::unique_ptr<T> object_;
    std::tuple<T*, Interfaces*...> previous_{};
    bool installed_ = false;
};
