#pragma once

#include "core/GameExit.h"

class Window;

// How the game ends when the player leaves it: the menu's Quit asks the window to close, and a window
// closing (by the desktop, the menu or a script) first keeps any unsaved progress in the autosave.
// Published as Service<GameExit> by the game's services.
class LeavingGame final : public GameExit {
public:
    explicit LeavingGame(Window& window);
    LeavingGame(const LeavingGame&) = delete;
    LeavingGame& operator=(const LeavingGame&) = delete;

    void RequestExit() override;
    // The window has closed and no frame runs any more: unsaved progress goes to the autosave, and
    // one line on stdout says where.
    void WindowClosed();

private:
    Window& window_;
};
