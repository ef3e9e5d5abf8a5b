#pragma once

#include <string>

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/DrawLayer.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

// Small helpers that attach objects and components for drawing tests.
inline GameObject* AddObject(GameObject& parent, const std::string& name) {
    auto* object = new GameObject;
    object->Name = name;
    parent.AppendChild(object);
    return object;
}

inline Pos2dComponent* AddPos(GameObject& object, Vector2 pos, bool relative = false, float rotation = 0.0f) {
    auto* p = new Pos2dComponent;
    p->Pos = pos;
    p->IsRelative = relative;
    p->Rotation = rotation;
    object.AddComponent(p);
    return p;
}

inline SpriteComponent* AddSprite(GameObject& object, Texture* texture, Vector2 size = {1.0f, 1.0f},
                                  DrawLayer layer = DrawLayer::World) {
    auto* s = new SpriteComponent;
    s->SetTexture(texture);
    s->Size = size;
    s->Layer = layer;
    object.AddComponent(s);
    return s;
}

inline TintComponent* AddTint(GameObject& object, Color tint) {
    auto* t = new TintComponent;
    t->Tint = tint;
    object.AddComponent(t);
    return t;
}
