#pragma once

class ComponentRegistry;

// Registers the heads-up display.
void RegisterHudClasses(ComponentRegistry& registry);
