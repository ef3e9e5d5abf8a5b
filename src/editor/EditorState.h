#pragma once

#include <string>

#include "core/ObjectDestructionListener.h"
#include "editor/history/EdHistory.h"
#include "input/PointerCapture.h"

class AutoCreate;
class GameObject;
class Prefab;

// What the editor shows and has selected, shared by its palettes, dialogs and tools. It is the
// game's PointerCapture and listens to the tree's destructions (its owner publishes it as both) so
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

    // Each selects one kind of thing and clears the other two; a prefab also becomes the one in
    // focus (SelectedPrefabName).
    void SelectObject(GameObject* object);
    void SelectPrefab(Prefab* prefab);
    void SelectAutoCreate(AutoCreate* entry);
    // The object (and its subtree) is about to leave the tree without being destroyed (the undo
    // history keeps it): the selection and the listed parent move off it as for a destruction.
    void ObjectLeaving(GameObject& object);
    // The game's clock in seconds (0 without one): runs of nudges are measured on it.
    float Now() const;

    bool Active = false;                      // the editor is shown
    bool ModalOpen = false;                   // a dialog or tool is open: the palettes are dimmed and inert
    GameObject* ListedParent = nullptr;       // the object whose children the object list shows
    GameObject* SelectedObject = nullptr;     // the object being edited
    Prefab* SelectedPrefab = nullptr;         // the prefab being edited
    AutoCreate* SelectedAutoCreate = nullptr; // the AutoCreate entry being edited
    std::string SelectedPrefabName;           // the prefab in focus of the prefab and AutoCreate lists

    // Every change the editor makes, for undo and redo; lives as long as the editor state.
    EdHistory History;
};
