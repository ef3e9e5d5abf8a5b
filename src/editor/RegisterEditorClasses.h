#pragma once

class ComponentRegistry;

// Registers the editor's widgets, containers, palettes, dialogs and tools, and the hot-reload
// monitor.
void RegisterEditorClasses(ComponentRegistry& registry);
