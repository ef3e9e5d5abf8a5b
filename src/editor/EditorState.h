#pragma once

#include "core/ObjectDestructionListener.h"
#include "input/PointerCapture.h"

class GameObject;

// What the editor has open and selected. It is the game's PointerCapture. While it lives it listens to the tree's destructions so
// the editor never holds a deleted object: a deleted selection moves to the next sibling, a deleted
// listed parent to its own parent.
class EditorState : public ObjectDestructionListener, public PointerCapture {
public:
    EditorState();
    virtual ~EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    void ObjectDestroyed(GameObject& object) override;
    // While shown, the editor has the pointer: the game's tools stay still.
    bool HasPointer() const override { return Active; }

    bool Active = false;                 // the editor is shown
    bool ModalOpen = false;              // a dialog is open
    GameObject* ListedParent = nullptr;  // the object whose children the object list shows
    GameObject* SelectedObject = nullptr; // the object being edited

private:
    ObjectDestructionListener* previousListener_ = nullptr;
};
