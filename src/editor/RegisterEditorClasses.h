#pragma once

class ComponentRegistry;

// Registers the editor's classes ("EdHotReloadMonitorBhv").
void RegisterEditorClasses(ComponentRegistry& registry);
