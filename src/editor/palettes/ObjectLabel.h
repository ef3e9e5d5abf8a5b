#pragma once

#include <string>

class GameObject;

// How the editor names an object in its lists: its Name, else its PrefabName, else "GameObject";
// with withChildMark, "  [+]" follows when it has children. Written into out (its storage reused).
void WriteObjectLabel(const GameObject& object, bool withChildMark, std::string& out);
