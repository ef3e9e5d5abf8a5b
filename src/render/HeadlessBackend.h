#pragma once

#include <string>
#include <vector>

#include "render/RenderBackend.h"

// No GPU: records what a frame would draw (passes, cameras, draw calls with their textures and
// quad counts, line strips), so tests and windowless runs exercise the real batching.
class HeadlessBackend final : public RenderBackend {
public:
    struct Draw {
        const Texture* texture = nullptr;
        int quads = 0;
        std::vector<Vertex> vertices; // only when KeepVertices is set
    };
    struct Lines {
        const Texture* texture = nullptr;
        std::vector<Vertex> vertices;
    };
    struct Pass {
        int bit = 0;
        bool pointFilter = false;
        CameraConstants camera;
        int indexQuads = 0;
        bool depthClearedAfter = false;
        std::vector<Draw> draws;
        std::vector<Lines> lines;
    };
    struct Frame {
        Color clear;
        std::vector<Pass> passes;
        bool presented = false;
    };

    // Copy every vertex of every draw into the record (tests); off, only counts are kept.
    bool KeepVertices = false;
    // The frame being drawn, then the last one drawn.
    Frame Recorded;
    int FramesPresented = 0;

    std::unique_ptr<TextureImage> CreateImage(int width, int height, const uint8_t* rgba) override;
    void BeginFrame(Color clear) override;
    void SetCamera(const CameraConstants& camera) override;
    void BeginPass(int passBit, bool pointFilter) override;
    void PrepareIndices(int quads) override;
    void DrawQuads(const Texture* texture, const Vertex* vertices, int vertexCount) override;
    void ClearDepth() override;
    void SetTexture(const Texture* texture) override { texture_ = texture; }
    void DrawLines(const Vertex* vertices, int vertexCount) override;
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;
    void EndFrame() override;

private:
    Pass& Current();
    CameraConstants camera_;
    const Texture* texture_ = nullptr;
};
