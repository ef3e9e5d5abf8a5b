#include "core/Coroutine.h"

#include <cstdio>
#include <cstdlib>

int NextCoroutineId() {
    static int counter = 0;
    return ++counter;
}

void ResumeCoroutine(Coroutine& co) {
    CoCommand command = co.CallStep(co.StepIndex);
    ++co.StepIndex;
    for (;;) {
        switch (command.Kind) {
        case CoKind::WaitSeconds:
            co.WaitSeconds += command.FloatArg;
            return;
        case CoKind::WaitFrames:
            co.WaitFrames += command.IntArg;
            return;
        case CoKind::End:
            co.Running = false;
            return;
        case CoKind::Restart:
            if (co.StepIndex == 1) {
                // Step 0 asking to start over would repeat forever inside this one call.
                std::fprintf(stderr, "kelvane: fatal: a coroutine's step 0 returned Restart\n");
                std::abort();
            }
            co.StepIndex = 0;
            command = co.CallStep(0);
            co.StepIndex = 1;
            break;
        case CoKind::GoTo:
            co.StepIndex = command.IntArg;
            command = co.CallStep(co.StepIndex);
            ++co.StepIndex;
            break;
        case CoKind::Next:
        default:
            return;
        }
    }
}
