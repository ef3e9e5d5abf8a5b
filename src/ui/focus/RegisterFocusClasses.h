#pragma once

class ComponentRegistry;

void RegisterFocusClasses(ComponentRegistry& registry);
