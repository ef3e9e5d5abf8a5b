#pragma once

class ComponentRegistry;

// Registers the game flow's component classes: the boss cycle, the supply stations and the music.
void RegisterFlowClasses(ComponentRegistry& registry);
