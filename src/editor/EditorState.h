#pragma once

class GameObject;

// What the editor has open, consulted by the object tree when an object is deleted so the editor
// never holds a dangling selection.
class EditorState {
public:
    bool IsOpen = false;
    GameObject* ListedObject = nullptr;   // the object whose children the object list shows
    GameObject* SelectedObject = nullptr; // the object the editor has selected
};
