#pragma once

#include <cstddef>
#include <vector>

class GameObject;
class Component;

// Objects and components queued by DestroyLater, deleted at one fixed point of the frame.
class DestroyQueues {
public:
    DestroyQueues() = default;
    DestroyQueues(const DestroyQueues&) = delete;
    DestroyQueues& operator=(const DestroyQueues&) = delete;
    // Anything still queued at shutdown is deleted with the queues.
    ~DestroyQueues();

    void Enqueue(GameObject* object) { objects_.push_back(object); }
    void Enqueue(Component* component) { components_.push_back(component); }

    // Deletes every queued object in queue order, then every queued component, each exactly once:
    // an entry that an earlier queued deletion takes with it (a descendant, or a component of a
    // queued object) is not deleted again.
    void Flush();
    // Drops the entry of a queued object or component deleted before the flush (a tree it hangs in
    // went first, as when start-up fails half-way), so the flush never reaches it.
    void Forget(const GameObject* object);
    void Forget(const Component* component);

    bool Empty() const { return objects_.empty() && components_.empty(); }

    // How many queued objects and components the flush under way deletes; 0 between flushes. A
    // destructor may do shared work once ahead of a large teardown rather than pay for it each time.
    size_t Flushing() const { return flushing_; }

private:
    size_t flushing_ = 0;
    std::vector<GameObject*> objects_;
    std::vector<Component*> components_;
};
