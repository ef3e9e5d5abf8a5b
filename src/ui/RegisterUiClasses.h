#pragma once

class ComponentRegistry;

// The HUD, the menus, the store and their widgets.
void RegisterUiClasses(ComponentRegistry& registry);
