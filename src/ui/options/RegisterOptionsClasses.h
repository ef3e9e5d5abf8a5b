#pragma once

class ComponentRegistry;

void RegisterOptionsClasses(ComponentRegistry& registry);
