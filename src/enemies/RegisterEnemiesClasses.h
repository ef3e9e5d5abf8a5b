#pragma once

class ComponentRegistry;

// Registers the enemies' component classes: damage model, creatures, the boss chamber and supply
// stations.
void RegisterEnemiesClasses(ComponentRegistry& registry);
