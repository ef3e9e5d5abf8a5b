#include "render/gl/GlBackend.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "platform/Letterbox.h"
#include "platform/Window.h"
#include "render/Renderer.h"

namespace {

constexpr GLsizeiptr VertexBufferBytes = 1048576;

// clip = rotation-and-scale rows applied to (vertex - camera position); depth 0..1 maps to -1..1.
const char* const VertexShader = R"(#version 330 core
layout(location = 0) in vec4 inPosition;
layout(location = 1) in vec4 inColor;
layout(location = 2) in vec2 inUv;
uniform vec2 g_CameraRow0;
uniform vec2 g_CameraRow1;
uniform vec2 g_CameraPos;
out vec4 color;
out vec2 uv;
void main() {
    vec2 d = inPosition.xy - g_CameraPos;
    gl_Position = vec4(dot(g_CameraRow0, d), dot(g_CameraRow1, d), inPosition.z * 2.0 - 1.0, 1.0);
    color = inColor;
    uv = inUv;
}
)";

// Texels whose combined alpha is under 0.1 write neither colour nor depth.
const char* const PixelShader = R"(#version 330 core
in vec4 color;
in vec2 uv;
uniform sampler2D g_ColorSamp;
out vec4 fragColor;
void main() {
    vec4 t = texture(g_ColorSamp, uv);
    if (t.a * color.a - 0.1 < 0.0) {
        discard;
    }
    fragColor = t * color;
}
)";

class GlTextureImage final : public TextureImage {
public:
    GlTextureImage(int width, int height, GLuint name, bool opaque, bool opaqueOrDiscarded)
        : TextureImage(width, height), Name(name), Opaque(opaque), OpaqueOrDiscarded(opaqueOrDiscarded) {}
    ~GlTextureImage() override { glDeleteTextures(1, &Name); }
    GLuint Name;
    // Every texel fully opaque: so is every filtered sample, at any level.
    bool Opaque;
    // Every texel either fully opaque or discarded by the pixel shader at full tint (alpha under a
    // tenth): so is every sample that reads one texel of level 0, by nearest texel.
    bool OpaqueOrDiscarded;
};

// Alpha 25 of 255 is the last under the pixel shader's tenth.
constexpr uint8_t LastDiscardedAlpha = 25;

// Uploads the mip levels below level 0 of the bound texture, each averaging 2 x 2 texels of the one
// above (an odd last column or row counts twice). Built here rather than by glGenerateMipmap: a
// software rasteriser compiles a shader for that on first use, which was most of the game's start-up.
void UploadMipLevels(int width, int height, const uint8_t* rgba) {
    std::vector<uint8_t> above;
    if (rgba) {
        above.assign(rgba, rgba + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    }
    std::vector<uint8_t> below;
    for (int level = 1; width > 1 || height > 1; ++level) {
        const int w = std::max(1, width / 2);
        const int h = std::max(1, height / 2);
        if (rgba) {
            below.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
            for (int y = 0; y < h; ++y) {
                const size_t row0 =
                    static_cast<size_t>(std::min(2 * y, height - 1)) * static_cast<size_t>(width);
                const size_t row1 =
                    static_cast<size_t>(std::min(2 * y + 1, height - 1)) * static_cast<size_t>(width);
                for (int x = 0; x < w; ++x) {
                    const size_t x0 = static_cast<size_t>(std::min(2 * x, width - 1));
                    const size_t x1 = static_cast<size_t>(std::min(2 * x + 1, width - 1));
                    uint8_t* out =
                        &below[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) *
                               4];
                    for (size_t c = 0; c < 4; ++c) {
                        const int sum = above[(row0 + x0) * 4 + c] + above[(row0 + x1) * 4 + c] +
                                        above[(row1 + x0) * 4 + c] + above[(row1 + x1) * 4 + c];
                        out[c] = static_cast<uint8_t>((sum + 2) / 4);
                    }
                }
            }
        }
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba ? below.data() : nullptr);
        above.swap(below);
        width = w;
        height = h;
    }
}

GLuint Compile(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "kelvane: shader: %s\n", log);
    }
    return shader;
}

GLuint ImageName(const Texture* texture) {
    if (!texture || !texture->Image) {
        return 0;
    }
    return static_cast<const GlTextureImage*>(texture->Image.get())->Name;
}

// Whether any quad shows more than sqrt(limit) texels per pixel along one of its sides. Below that
// the mipmapped filters reduce to their level-0 filter, and sampling without mipmaps draws the same
// pixels for less: a software rasteriser spends a good part of the frame on levels of detail.
// Vertices come as in Renderer: (x0, y1), (x1, y1), (x0, y0), (x1, y0), so v0 -> v1 and v0 -> v2 are
// the two sides. pixelRow0 and pixelRow1 turn a step in layer units into window pixels.
bool AnyMinified(const Vertex* vertices, int vertexCount, float texelsX, float texelsY,
                 const float* pixelRow0, const float* pixelRow1, float limit) {
    for (int q = 0; q + 3 < vertexCount; q += 4) {
        const Vertex* v = vertices + q;
        for (int side = 1; side <= 2; ++side) {
            const float du = (v[side].u - v[0].u) * texelsX;
            const float dv = (v[side].v - v[0].v) * texelsY;
            const float dx = v[side].x - v[0].x;
            const float dy = v[side].y - v[0].y;
            const float px = pixelRow0[0] * dx + pixelRow0[1] * dy;
            const float py = pixelRow1[0] * dx + pixelRow1[1] * dy;
            if (du * du + dv * dv > (px * px + py * py) * limit) {
                return true;
            }
        }
    }
    return false;
}

// Squared texels per pixel up to which a draw is sampled without mipmaps. Linear filtering: 1:1,
// with room for the rounding of positions far from the origin; the level of detail then stays
// under 1/1400, too little a share of level 1 to change an 8-bit colour. Nearest texel: the nearest
// level is level 0 until the level of detail reaches 1/2, at sqrt(2) texels per pixel.
constexpr float LinearLevel0Limit = 1.0f + 1.0f / 1024.0f;
constexpr float PointLevel0Limit = 2.0f * (1.0f - 1.0f / 1024.0f);

// Whether every quad is drawn at full tint alpha; a quad's four vertices share its colour.
bool AllFullAlpha(const Vertex* vertices, int vertexCount) {
    uint32_t all = 0xff000000u;
    for (int q = 0; q < vertexCount; q += 4) {
        all &= vertices[q].color;
    }
    return all == 0xff000000u;
}

} // namespace

GlBackend::GlBackend(Window& window, int backBufferWidth, int backBufferHeight)
    : window_(window), width_(backBufferWidth), height_(backBufferHeight) {
    const GLuint vs = Compile(GL_VERTEX_SHADER, VertexShader);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, PixelShader);
    program_ = glCreateProgram();
    glAttachShader(program_, vs);
    glAttachShader(program_, fs);
    glLinkProgram(program_);
    glDeleteShader(vs);
    glDeleteShader(fs);
    uniformRow0_ = glGetUniformLocation(program_, "g_CameraRow0");
    uniformRow1_ = glGetUniformLocation(program_, "g_CameraRow1");
    uniformPos_ = glGetUniformLocation(program_, "g_CameraPos");
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "g_ColorSamp"), 0);

    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, VertexBufferBytes, nullptr, GL_STREAM_DRAW);
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(Renderer::MaxQuadsPerDraw) * 12, nullptr,
                 GL_STATIC_DRAW);
    constexpr GLsizei stride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(0));
    glEnableVertexAttribArray(1);
    // ARGB in a little-endian word is the byte order B, G, R, A.
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<const void*>(16));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(20));

    glGenSamplers(1, &linearSampler_);
    glSamplerParameteri(linearSampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(linearSampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenSamplers(1, &pointSampler_);
    glSamplerParameteri(pointSampler_, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
    glSamplerParameteri(pointSampler_, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenSamplers(1, &linearLevel0Sampler_);
    glSamplerParameteri(linearLevel0Sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(linearLevel0Sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenSamplers(1, &pointLevel0Sampler_);
    glSamplerParameteri(pointLevel0Sampler_, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(pointLevel0Sampler_, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    // The frame is drawn at the logical size whatever the window's, so every pixel test, the
    // screenshot and texel-exact sprites hold at any window size; presenting scales the picture.
    glGenRenderbuffers(1, &colourBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width_, height_);
    glGenFramebuffers(1, &frameBuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "kelvane: the %dx%d frame buffer is incomplete\n", width_, height_);
    }
}

GlBackend::~GlBackend() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &frameBuffer_);
    glDeleteRenderbuffers(1, &depthBuffer_);
    glDeleteRenderbuffers(1, &colourBuffer_);
    glDeleteSamplers(1, &pointSampler_);
    glDeleteSamplers(1, &pointLevel0Sampler_);
    glDeleteSamplers(1, &linearLevel0Sampler_);
    glDeleteSamplers(1, &linearSampler_);
    glDeleteBuffers(1, &indexBuffer_);
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
    glDeleteProgram(program_);
}

std::unique_ptr<TextureImage> GlBackend::CreateImage(int width, int height, const uint8_t* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    UploadMipLevels(width, height, rgba);
    glBindTexture(GL_TEXTURE_2D, boundTexture_);
    bool opaque = rgba != nullptr;
    bool opaqueOrDiscarded = opaque;
    const size_t texels = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; rgba && i < texels && opaqueOrDiscarded; ++i) {
        const uint8_t a = rgba[i * 4 + 3];
        opaque = opaque && a == 255;
        opaqueOrDiscarded = a == 255 || a <= LastDiscardedAlpha;
    }
    return std::make_unique<GlTextureImage>(width, height, name, opaque, opaqueOrDiscarded);
}

void GlBackend::BeginFrame(Color clear) {
    // At factor 1 the frame is drawn straight into its place in the window: a software rasteriser
    // spends as long on a full-screen copy as on the whole scene. Scaled pictures still go through
    // the offscreen buffer, drawn at the logical size and stretched when presented.
    int windowWidth = 0;
    int windowHeight = 0;
    window_.DrawableSize(windowWidth, windowHeight);
    const Letterbox box = Letterbox::Fit(windowWidth, windowHeight, width_, height_);
    direct_ = box.Width == width_ && box.Height == height_;
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    if (direct_) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        // Window rows count from the top, OpenGL's from the bottom.
        originX_ = box.X;
        originY_ = windowHeight - box.Y - box.Height;
        if (box.Width != windowWidth || box.Height != windowHeight) {
            glDisable(GL_SCISSOR_TEST);
            glViewport(0, 0, windowWidth, windowHeight);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT); // the black bars
        }
        // Nothing the frame draws may spill into the bars.
        glEnable(GL_SCISSOR_TEST);
        glScissor(originX_, originY_, width_, height_);
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
        originX_ = 0;
        originY_ = 0;
        glDisable(GL_SCISSOR_TEST);
    }
    glViewport(originX_, originY_, width_, height_);
    glClearColor(clear.r / 255.0f, clear.g / 255.0f, clear.b / 255.0f, clear.a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(program_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glEnable(GL_BLEND);
    blending_ = true;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    depthTest_ = true;
    glDepthFunc(GL_LEQUAL);
    glActiveTexture(GL_TEXTURE0);
}

void GlBackend::SetCamera(const CameraConstants& camera) {
    // Viewports count from the top of the back buffer; OpenGL's from the bottom.
    glViewport(originX_ + camera.ViewportX, originY_ + height_ - camera.ViewportY - camera.ViewportHeight,
               camera.ViewportWidth, camera.ViewportHeight);
    // Clip space spans two units across the viewport. A turned view keeps the mipmapped filters:
    // the sides of a quad no longer run along the window's axes.
    const float halfWidth = static_cast<float>(camera.ViewportWidth) / 2.0f;
    const float halfHeight = static_cast<float>(camera.ViewportHeight) / 2.0f;
    pixelRow0_[0] = camera.Row0[0] * halfWidth;
    pixelRow0_[1] = camera.Row0[1] * halfWidth;
    pixelRow1_[0] = camera.Row1[0] * halfHeight;
    pixelRow1_[1] = camera.Row1[1] * halfHeight;
    axisAligned_ = camera.Row0[1] == 0.0f && camera.Row1[0] == 0.0f;
    glUniform2fv(uniformRow0_, 1, camera.Row0);
    glUniform2fv(uniformRow1_, 1, camera.Row1);
    glUniform2fv(uniformPos_, 1, camera.Pos);
}

void GlBackend::BeginPass(int, bool pointFilter) {
    pointFilter_ = pointFilter;
    boundSampler_ = pointFilter ? pointSampler_ : linearSampler_;
    glBindSampler(0, boundSampler_);
}

void GlBackend::PrepareIndices(int quads) {
    // The pattern never changes, so only a longer prefix than the one uploaded is written.
    if (quads <= indexQuadsUploaded_) {
        return;
    }
    std::vector<uint16_t> indices(static_cast<size_t>(quads) * 6);
    for (int q = 0; q < quads; ++q) {
        const uint16_t b = static_cast<uint16_t>(4 * q);
        uint16_t* i = indices.data() + static_cast<size_t>(q) * 6;
        i[0] = b;
        i[1] = static_cast<uint16_t>(b + 1);
        i[2] = static_cast<uint16_t>(b + 2);
        i[3] = static_cast<uint16_t>(b + 1);
        i[4] = static_cast<uint16_t>(b + 3);
        i[5] = static_cast<uint16_t>(b + 2);
    }
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
                    indices.data());
    indexQuadsUploaded_ = quads;
}

void GlBackend::PassTextureCount(int textures) {
    // Within one texture's draws the depths only fall and every later pass lies in front of this
    // one, so the test would pass every pixel: leaving it out spares a software rasteriser a read
    // and a write of the depth buffer per pixel. Later passes do not read what it would have written.
    SetDepthTest(textures > 1);
}

void GlBackend::DrawQuads(const Texture* texture, const Vertex* vertices, int vertexCount) {
    const GLuint name = ImageName(texture);
    if (name == 0) {
        return; // a texture without image draws nothing
    }
    if (name != boundTexture_) {
        glBindTexture(GL_TEXTURE_2D, name);
        boundTexture_ = name;
    }
    const TextureImage& image = *texture->Image;
    const bool level0 = axisAligned_ && !AnyMinified(vertices, vertexCount, static_cast<float>(image.Width),
                                                     static_cast<float>(image.Height), pixelRow0_, pixelRow1_,
                                                     pointFilter_ ? PointLevel0Limit : LinearLevel0Limit);
    const GLuint sampler = pointFilter_ ? (level0 ? pointLevel0Sampler_ : pointSampler_)
                                        : (level0 ? linearLevel0Sampler_ : linearSampler_);
    if (sampler != boundSampler_) {
        glBindSampler(0, sampler);
        boundSampler_ = sampler;
    }
    // Blending reads the frame back for every pixel; opaque samples at full tint can skip it. Linear
    // filtering and mipmap levels mix texels, so there only wholly opaque images count.
    const auto& glImage = static_cast<const GlTextureImage&>(image);
    const bool opaque = pointFilter_ && level0 ? glImage.OpaqueOrDiscarded : glImage.Opaque;
    SetBlending(!(opaque && AllFullAlpha(vertices, vertexCount)));
    // Maps only the range with invalidation: orphaning the whole buffer per chunk costs far more on
    // software drivers, which zero fresh pages.
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(vertexCount) * static_cast<GLsizeiptr>(sizeof(Vertex));
    if (void* target =
            glMapBufferRange(GL_ARRAY_BUFFER, 0, bytes, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT)) {
        std::memcpy(target, vertices, static_cast<size_t>(bytes));
        glUnmapBuffer(GL_ARRAY_BUFFER);
    }
    glDrawElements(GL_TRIANGLES, vertexCount / 4 * 6, GL_UNSIGNED_SHORT, nullptr);
}

void GlBackend::ClearDepth() {
    SetDepthTest(true);
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void GlBackend::SetTexture(const Texture* texture) {
    const GLuint name = ImageName(texture);
    glBindTexture(GL_TEXTURE_2D, name);
    boundTexture_ = name;
}

void GlBackend::SetBlending(bool on) {
    if (on != blending_) {
        if (on) {
            glEnable(GL_BLEND);
        } else {
            glDisable(GL_BLEND);
        }
        blending_ = on;
    }
}

void GlBackend::SetDepthTest(bool on) {
    if (on != depthTest_) {
        if (on) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        depthTest_ = on;
    }
}

void GlBackend::DrawLines(const Vertex* vertices, int vertexCount) {
    SetBlending(true);
    glBufferSubData(GL_ARRAY_BUFFER, 0,
                    static_cast<GLsizeiptr>(vertexCount) * static_cast<GLsizeiptr>(sizeof(Vertex)), vertices);
    glDrawArrays(GL_LINE_STRIP, 0, vertexCount);
}

bool GlBackend::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
    width = width_;
    height = height_;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (direct_) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
    } else {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    }
    glReadPixels(originX_, originY_, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* src = bottomUp.data() + static_cast<size_t>(height_ - 1 - y) * row;
        uint8_t* dst = rgba.data() + static_cast<size_t>(y) * row;
        for (size_t x = 0; x < row; x += 4) {
            dst[x] = src[x];
            dst[x + 1] = src[x + 1];
            dst[x + 2] = src[x + 2];
            dst[x + 3] = 255; // the back buffer has no alpha worth keeping
        }
    }
    return true;
}

void GlBackend::EndFrame() {
    if (direct_) {
        glDisable(GL_SCISSOR_TEST);
        window_.Present();
        return;
    }
    // Point-sampled scaling into the window's letterbox, black bars around it.
    int windowWidth = 0;
    int windowHeight = 0;
    window_.DrawableSize(windowWidth, windowHeight);
    const Letterbox box = Letterbox::Fit(windowWidth, windowHeight, width_, height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Window rows count from the top, OpenGL's from the bottom.
    const int bottom = windowHeight - box.Y - box.Height;
    glBlitFramebuffer(0, 0, width_, height_, box.X, bottom, box.X + box.Width, bottom + box.Height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    window_.Present();
}
