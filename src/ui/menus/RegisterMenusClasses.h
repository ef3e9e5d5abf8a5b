#pragma once

class ComponentRegistry;

// Registers the menu root and its menus.
void RegisterMenusClasses(ComponentRegistry& registry);
