#include "render/HeadlessBackend.h"

#include "assets/TextureImage.h"

std::unique_ptr<TextureImage> HeadlessBackend::CreateImage(int width, int height, const uint8_t*) {
    return std::make_unique<TextureImage>(width, height);
}

void HeadlessBackend::BeginFrame(Color clear) {
    // Keeps the pass vectors' storage from frame to frame.
    Recorded.clear = clear;
    Recorded.passes.clear();
    Recorded.presented = false;
}

void HeadlessBackend::SetCamera(const CameraConstants& camera) {
    camera_ = camera;
}

void HeadlessBackend::BeginPass(int passBit, bool pointFilter) {
    Pass& pass = Recorded.passes.emplace_back();
    pass.bit = passBit;
    pass.pointFilter = pointFilter;
    pass.camera = camera_;
}

HeadlessBackend::Pass& HeadlessBackend::Current() {
    if (Recorded.passes.empty()) {
        Recorded.passes.emplace_back();
    }
    return Recorded.passes.back();
}

void HeadlessBackend::PrepareIndices(int quads) {
    Current().indexQuads = quads;
}

void HeadlessBackend::DrawQuads(const Texture* texture, const Vertex* vertices, int vertexCount) {
    Draw& draw = Current().draws.emplace_back();
    draw.texture = texture;
    draw.quads = vertexCount / 4;
    if (KeepVertices) {
        draw.vertices.assign(vertices, vertices + vertexCount);
    }
}

void HeadlessBackend::ClearDepth() {
    Current().depthClearedAfter = true;
}

void HeadlessBackend::DrawLines(const Vertex* vertices, int vertexCount) {
    Lines& lines = Current().lines.emplace_back();
    lines.texture = texture_;
    lines.vertices.assign(vertices, vertices + vertexCount);
}

bool HeadlessBackend::ReadBackBuffer(std::vector<uint8_t>&, int&, int&) {
    return false;
}

void HeadlessBackend::EndFrame() {
    Recorded.presented = true;
    ++FramesPresented;
}
