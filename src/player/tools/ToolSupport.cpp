#include "player/tools/ToolSupport.h"

#include <cmath>

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "input/PointerCapture.h"
#include "physics/B2BodyComponent.h"
#include "player/sub/SubBhv.h"
#include "player/sub/SubRootBhv.h"
#include "prefabs/PrefabManager.h"
#include "world/WorldCamera.h"

namespace {

Vector2 BackBufferSize() {
    if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        return {static_cast<float>(graphics->Width), static_cast<float>(graphics->Height)};
    }
    return {1280.0f, 720.0f};
}

// The fire action is held through a pad key bound to it.
bool PadFiring(const InputManager& input) {
    KeySet pad;
    for (int k = FirstPadKey; k < FirstPadKey + PadKeyCount; ++k) {
        pad.set(static_cast<size_t>(k), input.CurrentKeys.test(static_cast<size_t>(k)));
    }
    return input.IsActionIn(Action::MainWeapon, pad);
}

} // namespace

bool PointerOverPlayArea() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return false;
    }
    if (const PointerCapture* capture = Service<PointerCapture>::TryGet(); capture && capture->HasPointer()) {
        return false;
    }
    const Camera2d camera = CurrentWorldCamera();
    const float right =
        camera.Viewport.width == 0.0f ? BackBufferSize().x : camera.Viewport.x + camera.Viewport.width;
    return input->MousePosition.x < right;
}

Vector2 PointerWorldPosition() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return {};
    }
    const Vector2 size = BackBufferSize();
    return CurrentWorldCamera().ScreenToWorld(input->MousePosition, static_cast<int32_t>(size.x),
                                              static_cast<int32_t>(size.y));
}

bool PadAiming() {
    const InputManager* input = Service<InputManager>::TryGet();
    return input && (input->PadAim.x != 0.0f || input->PadAim.y != 0.0f) &&
           input->MousePosition == input->PreviousMousePosition;
}

bool AimOverPlayArea() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return false;
    }
    if (const PointerCapture* capture = Service<PointerCapture>::TryGet(); capture && capture->HasPointer()) {
        return false;
    }
    return PointerOverPlayArea() || PadAiming() || PadFiring(*input);
}

Vector2 AimWorldPosition(float reach) {
    Vector2 s;
    if (!PadAiming() || !SubPosition(s)) {
        return PointerWorldPosition();
    }
    // The stick's y points down the screen, the world's up; a corner push reads longer than one.
    Vector2 push = Service<InputManager>::Get().PadAim;
    push.y = -push.y;
    const float length = std::sqrt(push.x * push.x + push.y * push.y);
    if (length > 1.0f) {
        push = {push.x / length, push.y / length};
    }
    return {s.x + push.x * reach, s.y + push.y * reach};
}

bool IsSelectedTool(const GameObject& object) {
    for (const GameObject* o = &object; o; o = o->Parent) {
        if (!o->InputEnabled) {
            return false;
        }
    }
    return true;
}

GameObject* FindOrCreateDisplay(const char* layerName, const char* displayName) {
    GameObject* root = SubRoot();
    GameObject* layer = root ? root->FindChild(layerName) : nullptr;
    if (!layer) {
        return nullptr;
    }
    if (GameObject* display = layer->FindChild(displayName)) {
        return display;
    }
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs || !prefabs->Contains(displayName)) {
        return nullptr;
    }
    auto* display = new GameObject(displayName);
    display->Name = displayName;
    display->SetPassesEnabled(false); // shown only while its tool acts
    layer->AppendChild(display);
    return display;
}

Vector2 ClampReach(Vector2 v, float minLength, float maxLength) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (!(length > 0.0f)) {
        return {};
    }
    float target = length;
    if (length > maxLength) {
        target = maxLength;
    } else if (length < minLength) {
        target = minLength;
    }
    const float scale = target / length;
    return {v.x * scale, v.y * scale};
}

void StretchBetween(GameObject& object, Vector2 a, Vector2 b) {
    const Vector2 d = b - a;
    if (Pos2dComponent* pos = object.Pos2d()) {
        pos->Pos = {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f};
        pos->Rotation = std::atan2(d.y, d.x);
    }
    if (SpriteComponent* sprite = object.Sprite()) {
        sprite->Size.x = std::sqrt(d.x * d.x + d.y * d.y);
    }
}

bool SubPosition(Vector2& position) {
    GameObject* sub = Submarine();
    if (!sub) {
        return false;
    }
    position = sub->GetPosition();
    return true;
}
