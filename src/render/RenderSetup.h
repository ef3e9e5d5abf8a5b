#pragma once

#include <string>

class GraphicsManager;
class Window;

// Creates the manager's renderer for the window: the OpenGL backend when the window has a GL
// context, the recording headless one otherwise. Textures loaded afterwards live on its device.
void CreateRenderer(GraphicsManager& graphics, Window& window);

// Releases the renderer's device objects and drops it. Texture and font banks go first.
void ReleaseRenderer(GraphicsManager& graphics);

// Writes the back buffer captured by the last frame (Renderer::RequestCapture) as a PNG. On failure
// prints one line naming the file and returns false.
bool WriteCapturedFrame(const GraphicsManager& graphics, const std::string& path);
