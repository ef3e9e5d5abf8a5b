#pragma once

class ComponentRegistry;

// Registers the enemies' component classes: damage model, creatures, the boss and its gates.
void RegisterEnemiesClasses(ComponentRegistry& registry);
