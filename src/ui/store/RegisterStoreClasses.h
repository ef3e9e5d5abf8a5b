#pragma once

class ComponentRegistry;

// Registers the supply-station store.
void RegisterStoreClasses(ComponentRegistry& registry);
