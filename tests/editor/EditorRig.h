#pragma once

#include <string>

#include "Scene.h"
#include "app/RegisterAllClasses.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/ServiceOwner.h"
#include "editor/EditorState.h"
#include "editor/IEdUiElement.h"
#include "input/InputManager.h"

// The editor as the game builds it, beside a scene: the shipped prefabs loaded, and a "Root"
// holding the scene's "GameplayRoot" (lent, given back at the end) and "EditorRoot"; input is fed
// as the window's pump would. Declared after the scene it uses, so it goes first.
struct EditorRig {
    explicit EditorRig(Scene& scene) : scene(scene) {
        scene.prefabs.RegisterAll(RegisterAllClasses, std::string(KELVANE_SOURCE_DIR) + "/content/Prefabs");
        top.Name = "Root";
        roots.Root = &top;
        roots.GameplayRoot = &scene.root;
        top.AppendChild(&scene.root);
        editorRoot = new GameObject("EditorRoot");
        top.AppendChild(editorRoot);
    }
    ~EditorRig() {
        // Queued objects go first, as at the game's shutdown: the editor queues some as it starts
        // (the hot-reload monitor without a development folder), and a test may run no frame.
        scene.queues.Flush();
        delete editorRoot;
        top.RemoveChild(&scene.root);
    }

    // One frame in the game's order: input update, then whatever the pump would deliver (apply),
    // then the passes over "Root".
    template <class Pump> void Frame(Pump&& apply) {
        RunFrameOrder({scene.time, top, scene.root, *scene.world, scene.queues}, scene.time.FrameDelta, [&] {
            input.FrameUpdate();
            apply(input);
            return true;
        });
    }
    void Frame() {
        Frame([](InputManager&) {});
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            Frame();
        }
    }
    // Presses the key for one frame, then releases it.
    void Tap(Key key) {
        Frame([key](InputManager& in) { in.SetKeyState(key, true); });
        Frame([key](InputManager& in) { in.SetKeyState(key, false); });
    }
    // The key pressed while a modifier is held; both are let go two frames later, after the key
    // has fired.
    void Chord(Key modifier, Key key) {
        Frame([=](InputManager& in) {
            in.SetKeyState(modifier, true);
            in.SetKeyState(key, true);
        });
        Frame();
        Frame([=](InputManager& in) {
            in.SetKeyState(modifier, false);
            in.SetKeyState(key, false);
        });
    }
    // Moves the pointer there, presses and releases the left button.
    void Click(float x, float y, Key button = Key::LeftMouse) {
        Frame([=](InputManager& in) {
            in.SetMousePosition(x, y);
            in.SetKeyState(button, true);
        });
        Frame([=](InputManager& in) { in.SetKeyState(button, false); });
    }
    // Clicks the middle of a widget's last rectangle.
    void ClickOn(const IEdUiElement& widget, Key button = Key::LeftMouse) {
        const Rect& r = widget.Bounds;
        Click(r.x + r.width / 2, r.y + r.height / 2, button);
    }
    // The palette (or dialog) object of that name.
    GameObject* Palette(const char* name) const {
        GameObject* palettes = editorRoot->FindChild("EdPalettesRoot");
        GameObject* found = palettes ? palettes->FindChild(name) : nullptr;
        if (!found) {
            GameObject* dialogs = editorRoot->FindChild("EdDialogsRoot");
            found = dialogs ? dialogs->FindChild(name) : nullptr;
        }
        return found;
    }
    // Types the keys' characters, one key per frame.
    void Type(std::initializer_list<Key> keys) {
        for (Key key : keys) {
            Tap(key);
        }
        Frame(); // the last key's character arrives with the next input update
    }

    Scene& scene;
    InputManager input;
    // Published as the game's services publish it: the pointer's holder and the destruction listener.
    ServiceOwner<EditorState, ObjectDestructionListener, PointerCapture> editorOwner{
        std::make_unique<EditorState>()};
    EditorState& editor = *editorOwner;
    SceneRoots roots;
    Service<InputManager>::Scoped inputScope{input};
    Service<SceneRoots>::Scoped rootsScope{roots};
    GameObject top;
    GameObject* editorRoot = nullptr;
};
