#pragma once

#include <memory>

// What a desktop's window manager does for fullscreen, on a bare X server (Xvfb has none): answers
// the _NET_WM_STATE fullscreen request by covering the screen, and passes on the configure and map
// requests of other windows unchanged. Kept apart from the game's headers, whose Window is not X's.
class StandInWindowManager {
public:
    StandInWindowManager();
    ~StandInWindowManager();
    StandInWindowManager(const StandInWindowManager&) = delete;
    StandInWindowManager& operator=(const StandInWindowManager&) = delete;

    // False when there is no display, or another window manager already runs.
    bool Active() const;
    // Handles every pending request; call often.
    void Serve();
    int ScreenWidth() const;
    int ScreenHeight() const;
    // The size of the top-level window titled `title` (0 x 0 when there is none).
    void WindowSize(const char* title, int& width, int& height) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
