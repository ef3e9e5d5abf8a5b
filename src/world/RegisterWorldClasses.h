#pragma once

class ComponentRegistry;

// Registers the world's component classes: generation, tiles, the thing grid and scenery collision.
void RegisterWorldClasses(ComponentRegistry& registry);
