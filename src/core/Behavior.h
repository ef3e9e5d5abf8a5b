#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <type_traits>

#include "core/Component.h"
#include "core/Coroutine.h"
#include "core/IComponentShortcuts.h"
#include "reflection/IEditable.h"

// A component with per-frame hooks and coroutines. Every hook runs on the main thread.
//
// A coroutine is a member function `CoCommand Step(int step)` of the concrete class; start it with
// StartCoroutine<&MyBhv::Step>(). Each step function has one process-wide id, and each behaviour at
// most one coroutine per step function.
class Behavior : public Component, public IComponentShortcuts, public IEditable {
public:
    // Deletes the coroutines, then (through ~Component) detaches from the owner.
    ~Behavior() override;

    // Once, at the end of the owning object's instantiation from a prefab, before it has a parent.
    virtual void Start() {}
    // Once per frame in the update pass, before this behaviour's coroutines advance.
    virtual void Update() {}
    // Once per frame in the input pass, which runs before physics and the update pass.
    virtual void HandleInput() {}

    Behavior* AsBehavior() final { return this; }

    // The owner's first direct child with exactly this name; null without an owner.
    GameObject* FindChild(std::string_view name) const;

    template <auto Step> Coroutine& GetCoroutine();
    // Runs step 0 at once unless the coroutine is already running (a running one is not restarted).
    template <auto Step> void StartCoroutine();
    // Clears Running; the step index and waits stay until the next start resets them.
    template <auto Step> void StopCoroutine();
    template <auto Step> bool IsCoroutineRunning();

    // Ordered by ascending id: the order in which the update pass advances them.
    std::map<int, std::unique_ptr<Coroutine>> Coroutines;

private:
    template <class T> struct MemberOf;
    template <class C> struct MemberOf<CoCommand (C::*)(int)> { using Class = C; };

    template <auto Step> static int CoroutineId() {
        static const int id = NextCoroutineId();
        return id;
    }
};

template <auto Step> Coroutine& Behavior::GetCoroutine() {
    using Self = typename MemberOf<decltype(Step)>::Class;
    static_assert(std::is_base_of_v<Behavior, Self>, "a coroutine step must be a member of a behaviour");
    const int id = CoroutineId<Step>();
    auto it = Coroutines.find(id);
    if (it == Coroutines.end()) {
        Coroutine::StepThunk thunk = [](Behavior& self, int step) {
            return (static_cast<Self&>(self).*Step)(step);
        };
        it = Coroutines.emplace(id, std::make_unique<Coroutine>(*this, thunk)).first;
    }
    return *it->second;
}

template <auto Step> void Behavior::StartCoroutine() {
    Coroutine& co = GetCoroutine<Step>();
    if (co.Running) {
        return;
    }
    co.StepIndex = 0;
    co.WaitSeconds = 0.0f;
    co.WaitFrames = 0;
    co.Running = true;
    ResumeCoroutine(co);
}

template <auto Step> void Behavior::StopCoroutine() {
    GetCoroutine<Step>().Running = false;
}

template <auto Step> bool Behavior::IsCoroutineRunning() {
    return GetCoroutine<Step>().Running;
}
