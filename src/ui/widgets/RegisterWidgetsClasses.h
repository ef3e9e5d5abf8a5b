#pragma once

class ComponentRegistry;

// Registers generic screen widgets: buttons.
void RegisterWidgetsClasses(ComponentRegistry& registry);
