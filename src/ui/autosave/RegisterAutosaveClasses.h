#pragma once

class ComponentRegistry;

void RegisterAutosaveClasses(ComponentRegistry& registry);
