#pragma once

class ComponentRegistry;

// Registers "SpriteComponent", "TintComponent", "TextComponent" and "DebugRectsBhv".
void RegisterComponentsClasses(ComponentRegistry& registry);
