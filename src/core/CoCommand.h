#pragma once

// What a coroutine step asks the scheduler to do next. Returned by value.
enum class CoKind : int { Next = 0, End = 1, Restart = 2, GoTo = 3, WaitFrames = 4, WaitSeconds = 5 };

struct CoCommand {
    CoKind Kind = CoKind::Next;
    int IntArg = 0;
    float FloatArg = 0.0f;
};

// The next step runs on a later frame, as soon as no wait is pending.
constexpr CoCommand CoNext() {
    return {CoKind::Next, 0, 0.0f};
}
// The coroutine stops.
constexpr CoCommand CoEnd() {
    return {CoKind::End, 0, 0.0f};
}
// Step 0 runs again at once, in the same call. Fatal when returned by step 0 itself.
constexpr CoCommand CoRestart() {
    return {CoKind::Restart, 0, 0.0f};
}
// The given step runs at once, in the same call.
constexpr CoCommand CoGoTo(int step) {
    return {CoKind::GoTo, step, 0.0f};
}
// The next step runs after that many updates of the behaviour.
constexpr CoCommand CoWaitFrames(int frames) {
    return {CoKind::WaitFrames, frames, 0.0f};
}
// The next step runs after that much game time; the overshoot of the countdown carries over.
constexpr CoCommand CoWaitSeconds(float seconds) {
    return {CoKind::WaitSeconds, 0, seconds};
}
