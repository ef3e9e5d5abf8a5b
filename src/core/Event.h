#pragma once

#include <functional>
#include <map>

// One game-wide happening: subscribers, keyed by their identity (the subscribing object's address,
// used only as a key), each with one handler taking the event's argument pointer.
// Delivery is immediate and synchronous, in ascending order of subscriber identity.
template <class Arg> class Event {
public:
    using Handler = std::function<void(Arg*)>;

    // Enters the subscriber's handler, replacing any earlier one of the same subscriber.
    void Subscribe(const void* subscriber, Handler handler) {
        handlers_.insert_or_assign(subscriber, std::move(handler));
    }

    // Removes the subscriber's handler; a subscriber that has none is ignored.
    void Unsubscribe(const void* subscriber) { handlers_.erase(subscriber); }

    // Calls every handler with `arg`. A handler may raise other events. Subscribing or unsubscribing
    // during a raise is not expected, but it cannot break the walk: each step looks up the next
    // subscriber after the one just called, and the handler runs from a copy.
    void Raise(Arg* arg = nullptr) const {
        auto it = handlers_.begin();
        while (it != handlers_.end()) {
            const void* subscriber = it->first;
            const Handler handler = it->second;
            handler(arg);
            it = handlers_.upper_bound(subscriber);
        }
    }

    size_t SubscriberCount() const { return handlers_.size(); }

private:
    std::map<const void*, Handler> handlers_;
};
