#pragma once

class GameObject;

// The argument of the boss events.
struct BossEventArgs {
    GameObject* Boss = nullptr; // the boss object; not owned
};
