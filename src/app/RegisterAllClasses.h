#pragma once

class ComponentRegistry;

// Registers every component class of every subsystem: the one list of what prefabs may name.
void RegisterAllClasses(ComponentRegistry& registry);
