#pragma once

class ComponentRegistry;

// The submarine, its tools, the inventory and items, and the pickups.
void RegisterPlayerClasses(ComponentRegistry& registry);
