#pragma once

#include <array>

#include "core/ShortcutSlot.h"

class Component;
class B2BodyComponent;
class Pos2dComponent;
class SpriteComponent;
class TextComponent;
class TintComponent;
class ThingComponent;
class EnemyComponent;

// Seven typed, non-owning pointers to the first component of each hot type. A GameObject's slots
// describe its own components; every behaviour carries a copy so it reaches its siblings directly.
// Each typed accessor is defined beside its component class, so only code that links that class
// can call it.
class IComponentShortcuts {
public:
    virtual ~IComponentShortcuts() = default;

    B2BodyComponent* Body() const;
    Pos2dComponent* Pos2d() const;
    SpriteComponent* Sprite() const;
    TextComponent* Text() const;
    TintComponent* Tint() const;
    ThingComponent* Thing() const;
    EnemyComponent* Enemy() const;

    Component* GetSlot(ShortcutSlot slot) const { return Slots[static_cast<int>(slot)]; }

    std::array<Component*, static_cast<int>(ShortcutSlot::Count)> Slots{};
};
