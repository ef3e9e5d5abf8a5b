#pragma once

class ComponentRegistry;

// Registers the cue classes ("CueComponent", "CueLoopedBhv", "CueManagerBhv", "CueOneShotBhv").
void RegisterAudioClasses(ComponentRegistry& registry);
