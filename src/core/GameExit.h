#pragma once

// Ends the game as closing its window does: the frame loop stops at the next message pump, and what
// closing does first (keeping unsaved progress) is done. Reached as Service<GameExit>, installed by
// whoever runs the frame loop; without one, nothing ends.
class GameExit {
public:
    virtual ~GameExit() = default;
    virtual void RequestExit() = 0;
};
