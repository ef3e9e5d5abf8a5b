#pragma once

class GameObject;

// The two objects that always exist: "Root", the top of the tree, and "GameplayRoot" under it,
// built from its prefab at start-up. Not owning: the Application owns "Root" and with it the tree.
struct SceneRoots {
    GameObject* Root = nullptr;
    GameObject* GameplayRoot = nullptr;
};
