#include "render/RenderSetup.h"

#include <cstdio>

#include "core/GraphicsManager.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/HeadlessBackend.h"
#include "render/Renderer.h"
#include "render/gl/GlBackend.h"

void CreateRenderer(GraphicsManager& graphics, Window& window) {
    std::unique_ptr<RenderBackend> backend;
    if (window.HasGl()) {
        backend = std::make_unique<GlBackend>(window, graphics.Width, graphics.Height);
    } else {
        backend = std::make_unique<HeadlessBackend>();
    }
    graphics.renderer = std::make_shared<Renderer>(std::move(backend));
    graphics.renderer->CreateDevice();
}

void ReleaseRenderer(GraphicsManager& graphics) {
    if (graphics.renderer) {
        graphics.renderer->Release();
        graphics.renderer.reset();
    }
}

bool WriteCapturedFrame(const GraphicsManager& graphics, const std::string& path) {
    const DecodedImage* shot = graphics.renderer ? &graphics.renderer->LastCapture : nullptr;
    if (!shot || shot->Empty()) {
        std::fprintf(stderr, "kelvane: %s: no back buffer to capture (a screenshot needs a window)\n",
                     path.c_str());
        return false;
    }
    if (!WritePngFile(path, shot->Width, shot->Height, shot->Pixels.data())) {
        std::fprintf(stderr, "kelvane: %s: cannot write the screenshot\n", path.c_str());
        return false;
    }
    return true;
}
