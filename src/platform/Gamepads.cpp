#include "platform/Gamepads.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

static_assert(static_cast<int>(GamepadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(GamepadButtonCount <= SDL_CONTROLLER_BUTTON_MAX);
static_assert(static_cast<int>(GamepadAxis::RightTrigger) == SDL_CONTROLLER_AXIS_TRIGGERRIGHT);

struct Gamepads::Open {
    std::vector<SDL_GameController*> Controllers;
    // One bit per button pressed since the last poll. SDL reads the pads on whichever thread pumps.
    std::atomic<uint32_t> Pressed{0};
};
static_assert(GamepadButtonCount <= 32);

namespace {

// Only the button events: a press is seen as it happens, however soon it is let go. The axes are
// read as state, and their events would only pile up.
constexpr Uint32 ButtonEvents[] = {SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP, SDL_CONTROLLERBUTTONDOWN,
                                   SDL_CONTROLLERBUTTONUP};

} // namespace

Gamepads::Gamepads() : open_(std::make_unique<Open>()) {
    initialised_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (initialised_) {
        SDL_GameControllerEventState(SDL_IGNORE);
        SDL_JoystickEventState(SDL_IGNORE);
        // The controller's button events come from the joystick's, so both are on.
        for (const Uint32 type : ButtonEvents) {
            SDL_EventState(type, SDL_ENABLE);
        }
        SDL_AddEventWatch(&Gamepads::WatchEvent, open_.get());
    }
}

int Gamepads::WatchEvent(void* self, SDL_Event* event) {
    if (event->type == SDL_CONTROLLERBUTTONDOWN && event->cbutton.button < GamepadButtonCount) {
        static_cast<Open*>(self)->Pressed.fetch_or(1u << event->cbutton.button);
    }
    return 1;
}

Gamepads::~Gamepads() {
    if (initialised_) {
        SDL_DelEventWatch(&Gamepads::WatchEvent, open_.get());
    }
    for (SDL_GameController* controller : open_->Controllers) {
        SDL_GameControllerClose(controller);
    }
    if (initialised_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
            SDL_Quit();
        }
    }
}

GamepadState Gamepads::Poll() {
    GamepadState state;
    if (!initialised_) {
        return state;
    }
    SDL_GameControllerUpdate(); // also finds pads plugged in or pulled out since the last poll

    auto& controllers = open_->Controllers;
    std::erase_if(controllers, [](SDL_GameController* controller) {
        if (SDL_GameControllerGetAttached(controller)) {
            return false;
        }
        SDL_GameControllerClose(controller);
        return true;
    });
    for (int device = 0; device < SDL_NumJoysticks(); ++device) {
        if (!SDL_IsGameController(device)) {
            continue;
        }
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
        const bool known = std::any_of(controllers.begin(), controllers.end(), [id](SDL_GameController* c) {
            return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) == id;
        });
        if (!known) {
            if (SDL_GameController* controller = SDL_GameControllerOpen(device)) {
                controllers.push_back(controller);
            }
        }
    }

    // The watch has seen the presses; nobody else needs the queued events (without a window nothing
    // else drains them).
    SDL_FlushEvents(SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP);
    SDL_FlushEvents(SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP);
    const uint32_t pressed = open_->Pressed.exchange(0);
    for (int b = 0; b < GamepadButtonCount; ++b) {
        state.Pressed[b] = (pressed & (1u << b)) != 0;
    }

    state.Connected = static_cast<int>(controllers.size());
    for (SDL_GameController* controller : controllers) {
        for (int b = 0; b < GamepadButtonCount; ++b) {
            state.Buttons[b] =
                state.Buttons[b] ||
                SDL_GameControllerGetButton(controller, static_cast<SDL_GameControllerButton>(b)) != 0;
        }
        for (int a = 0; a < GamepadAxisCount; ++a) {
            // -32768..32767 to -1..1; the largest push of any pad wins.
            const Sint16 raw = SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(a));
            const float value = std::max(-1.0f, static_cast<float>(raw) / 32767.0f);
            if (std::fabs(value) > std::fabs(state.Axes[a])) {
                state.Axes[a] = value;
            }
        }
    }
    return state;
}
