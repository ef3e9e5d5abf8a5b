#pragma once

class ComponentRegistry;

// Registers the object model's component classes ("Pos2dComponent").
void RegisterCoreClasses(ComponentRegistry& registry);
