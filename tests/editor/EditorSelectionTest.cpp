#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "core/GameObject.h"
#include "core/ObjectDestructionListener.h"
#include "core/Service.h"
#include "core/ServiceOwner.h"
#include "editor/EditorState.h"

namespace {

using EditorSelectionTest = SceneFixture;

// The editor state as the game's services publish it: the tree's destruction listener.
using PublishedEditor = ServiceOwner<EditorState, ObjectDestructionListener>;

TEST_F(EditorSelectionTest, DeletingTheSelectedObjectMovesTheEditorSelectionToTheNextSibling) {
    PublishedEditor published(std::make_unique<EditorState>());
    EditorState& editor = *published;
    auto* a = new GameObject;
    auto* b = new GameObject;
    root.AppendChild(a);
    root.AppendChild(b);
    editor.SelectedObject = a;
    editor.ListedParent = a;
    delete a;
    EXPECT_EQ(editor.SelectedObject, b);
    EXPECT_EQ(editor.ListedParent, &root);
    editor.SelectedObject = b;
    delete b;
    EXPECT_EQ(editor.SelectedObject, nullptr);
}

TEST_F(EditorSelectionTest, DeletingASubtreeHandsTheEditorListPastEveryDeletedAncestor) {
    PublishedEditor published(std::make_unique<EditorState>());
    EditorState& editor = *published;
    auto* parent = new GameObject;
    auto* child = new GameObject;
    root.AppendChild(parent);
    parent->AppendChild(child);
    editor.ListedParent = child;
    delete parent;
    EXPECT_EQ(editor.ListedParent, &root);
}

TEST_F(EditorSelectionTest, APublishedEditorTakesTheDestructionListenerSlotAndGivesItBack) {
    struct Recorder : ObjectDestructionListener {
        void ObjectDestroyed(GameObject&) override { ++heard; }
        int heard = 0;
    } recorder;
    {
        Service<ObjectDestructionListener>::Scoped recorderScope(recorder);
        {
            PublishedEditor published(std::make_unique<EditorState>());
            delete new GameObject;
            EXPECT_EQ(recorder.heard, 0);
        }
        delete new GameObject;
        EXPECT_EQ(recorder.heard, 1);
        EXPECT_EQ(Service<ObjectDestructionListener>::TryGet(), &recorder);
    }
    delete new GameObject; // nobody listening: nothing to touch
    EXPECT_EQ(recorder.heard, 1);
}

} // namespace
