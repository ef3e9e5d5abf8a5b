#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "core/GameObject.h"
#include "core/ObjectDestructionListener.h"
#include "core/Service.h"
#include "editor/EditorState.h"

namespace {

using EditorSelectionTest = SceneFixture;

TEST_F(EditorSelectionTest, DeletingTheSelectedObjectMovesTheEditorSelectionToTheNextSibling) {
    EditorState editor;
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
    EditorState editor;
    auto* parent = new GameObject;
    auto* child = new GameObject;
    root.AppendChild(parent);
    parent->AppendChild(child);
    editor.ListedParent = child;
    delete parent;
    EXPECT_EQ(editor.ListedParent, &root);
}

TEST_F(EditorSelectionTest, AnEditorTakesTheDestructionListenerSlotAndGivesItBack) {
    struct Recorder : ObjectDestructionListener {
        void ObjectDestroyed(GameObject&) override { ++heard; }
        int heard = 0;
    } recorder;
    Service<ObjectDestructionListener>::Set(&recorder);
    {
        EditorState editor;
        delete new GameObject;
        EXPECT_EQ(recorder.heard, 0);
    }
    delete new GameObject;
    EXPECT_EQ(recorder.heard, 1);
    EXPECT_EQ(Service<ObjectDestructionListener>::TryGet(), &recorder);
    Service<ObjectDestructionListener>::Set(nullptr);
    delete new GameObject; // nobody listening: nothing to touch
    EXPECT_EQ(recorder.heard, 1);
}

} // namespace
