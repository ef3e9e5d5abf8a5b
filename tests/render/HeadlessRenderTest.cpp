#include <gtest/gtest.h>

#include <memory>

#include "SceneBuilder.h"
#include "TestFont.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "render/HeadlessBackend.h"
#include "render/Renderer.h"

namespace {

// The depth the renderer's counter holds after n decrements from 1, floored at 0.
float DepthAfterSteps(int n) {
    float depth = 1.0f;
    for (int i = 0; i < n; ++i) {
        depth -= Renderer::DepthStep;
        if (depth < 0.0f) {
            depth = 0.0f;
        }
    }
    return depth;
}

// A physics body as the renderer sees it through the Body slot.
class StubBody final : public Component {
public:
    StubBody(Vector2 position, float angle) : position_(position), angle_(angle) {}
    ShortcutSlot Slot() const override { return ShortcutSlot::Body; }
    Vector2 BodyPosition() const override { return position_; }
    float BodyAngle() const override { return angle_; }

private:
    Vector2 position_;
    float angle_;
};

class HeadlessRenderTest : public ::testing::Test {
protected:
    HeadlessRenderTest() {
        auto owned = std::make_unique<HeadlessBackend>();
        backend = owned.get();
        backend->KeepVertices = true;
        renderer = std::make_unique<Renderer>(std::move(owned));
        root.Name = "Root";
        a.Name = "A";
        b.Name = "B";
    }

    void Render() { renderer->RenderFrame(&root, graphics); }
    const HeadlessBackend::Pass& Pass(int index) {
        return backend->Recorded.passes.at(static_cast<size_t>(index));
    }
    // The first vertex drawn with the texture in the pass, and how many draws used it.
    const Vertex* FirstVertex(int pass, const Texture* texture, int quad = 0) {
        for (const auto& draw : Pass(pass).draws) {
            if (draw.texture == texture) {
                return &draw.vertices.at(static_cast<size_t>(quad) * 4);
            }
        }
        return nullptr;
    }
    static Vector2 Centre(const Vertex* v) { return {(v[0].x + v[3].x) / 2, (v[0].y + v[3].y) / 2}; }

    GraphicsManager graphics;
    HeadlessBackend* backend = nullptr;
    std::unique_ptr<Renderer> renderer;
    GameObject root;
    Texture a;
    Texture b;
};

TEST_F(HeadlessRenderTest, EveryFrameHasSixPassesWithTheirCamerasAndFilters) {
    Render();
    ASSERT_EQ(backend->Recorded.passes.size(), 6u);
    const int bits[] = {1, 2, 4, 8, 16, 32};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Pass(i).bit, bits[i]);
        EXPECT_EQ(Pass(i).pointFilter, i % 2 == 1) << "pass " << i;
    }
    EXPECT_EQ(Pass(0).camera.ViewportWidth, 960);
    EXPECT_FLOAT_EQ(Pass(0).camera.Row0[0], 2.0f / 60);
    EXPECT_FLOAT_EQ(Pass(0).camera.Pos[1], -22.5f);
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(Pass(i).camera.ViewportWidth, 1280);
        EXPECT_FLOAT_EQ(Pass(i).camera.Row1[1], -2.0f / 720);
    }
    EXPECT_TRUE(backend->Recorded.presented);
}

TEST_F(HeadlessRenderTest, LaterObjectsAreInFrontWhicheverTextureIsBatchedFirst) {
    AddSprite(*AddObject(root, "first"), &a);
    AddSprite(*AddObject(root, "second"), &b);
    AddSprite(*AddObject(root, "third"), &a);
    Render();
    ASSERT_EQ(Pass(0).draws.size(), 2u);
    EXPECT_EQ(Pass(0).draws[0].texture, &a); // first used first
    EXPECT_EQ(Pass(0).draws[0].quads, 2);
    const float first = FirstVertex(0, &a, 0)->z;
    const float second = FirstVertex(0, &b, 0)->z;
    const float third = FirstVertex(0, &a, 1)->z;
    EXPECT_LT(second, first);
    EXPECT_LT(third, second);
}

TEST_F(HeadlessRenderTest, AChildIsInFrontOfItsParentEvenWhenTheParentIsBatchedLater) {
    AddSprite(*AddObject(root, "before"), &a);
    GameObject* parent = AddObject(root, "parent");
    AddSprite(*parent, &b);
    AddSprite(*AddObject(*parent, "child"), &a);
    Render();
    EXPECT_LT(FirstVertex(0, &a, 1)->z, FirstVertex(0, &b)->z);
}

TEST_F(HeadlessRenderTest, ALayerWithTwoBitsIsDrawnInBothPassesTheSecondInFront) {
    AddSprite(*AddObject(root, "both"), &a, {1, 1}, static_cast<DrawLayer>(6));
    Render();
    EXPECT_TRUE(Pass(0).draws.empty());
    ASSERT_EQ(Pass(1).draws.size(), 1u);
    ASSERT_EQ(Pass(2).draws.size(), 1u);
    EXPECT_LT(FirstVertex(2, &a)->z, FirstVertex(1, &a)->z);
}

TEST_F(HeadlessRenderTest, AUiSpriteIsDrawnOnlyInTheUiPassInScreenPixels) {
    GameObject* ui = AddObject(root, "ui");
    AddPos(*ui, {100.0f, 50.0f});
    AddSprite(*ui, &a, {32, 16}, DrawLayer::Ui);
    Render();
    EXPECT_TRUE(Pass(0).draws.empty());
    ASSERT_EQ(Pass(1).draws.size(), 1u);
    EXPECT_TRUE(Pass(1).pointFilter);
    const Vertex* v = FirstVertex(1, &a);
    // The mirrored screen height flips the quad so the image's top row is at the smaller y.
    EXPECT_EQ(v[0].v, 0.0f);
    EXPECT_FLOAT_EQ(v[0].y, 42.0f);
    EXPECT_FLOAT_EQ(v[2].y, 58.0f);
}

TEST_F(HeadlessRenderTest, AHiddenSubtreeIsNotDrawnAndTakesNoDepth) {
    GameObject* hidden = AddObject(root, "hidden");
    AddSprite(*hidden, &a);
    AddSprite(*AddObject(*hidden, "below"), &a);
    hidden->DrawEnabled = false;
    AddSprite(*AddObject(root, "shown"), &b);
    Render();
    ASSERT_EQ(Pass(0).draws.size(), 1u);
    EXPECT_EQ(FirstVertex(0, &b)->z, 1.0f - Renderer::DepthStep); // only the root came before
}

TEST_F(HeadlessRenderTest, DepthStopsAtZero) {
    renderer->Depth = 1.5f * Renderer::DepthStep;
    GameObject scene;
    AddSprite(*AddObject(scene, "x"), &a);
    AddSprite(*AddObject(scene, "y"), &a);
    AddSprite(*AddObject(scene, "z"), &a);
    renderer->BeginPassBatches();
    renderer->DrawTree(scene, 1);
    EXPECT_EQ(renderer->Depth, 0.0f);
    EXPECT_EQ(renderer->QuadLists[0][8].z, 0.0f);
    EXPECT_EQ(renderer->QuadLists[0][4].z, 0.0f);
}

TEST_F(HeadlessRenderTest, OnlyRelativeObjectsAddToThePositionHandedDown) {
    GameObject* parent = AddObject(root, "A");
    AddPos(*parent, {5, 5});
    GameObject* child = AddObject(*parent, "B");
    AddPos(*child, {1, 0}, true);
    AddSprite(*child, &a);
    Render();
    EXPECT_EQ(Centre(FirstVertex(0, &a)), Vector2(1, 0));
    parent->Pos2d()->IsRelative = true;
    Render();
    EXPECT_EQ(Centre(FirstVertex(0, &a)), Vector2(6, 5));
}

TEST_F(HeadlessRenderTest, TintsMultiplyDownTheTree) {
    GameObject* parent = AddObject(root, "parent");
    AddTint(*parent, {128, 255, 255, 128});
    GameObject* child = AddObject(*parent, "child");
    AddTint(*child, {255, 128, 0, 255});
    AddSprite(*child, &a);
    Render();
    EXPECT_EQ(FirstVertex(0, &a)->color, Color(128, 128, 0, 128).ToArgb());
    EXPECT_EQ(Color(128, 128, 0, 128).ToArgb(), 0x80808000u);
}

TEST_F(HeadlessRenderTest, EveryPairOfTintBytesMultipliesExactlyAsColorsDo) {
    GameObject* parent = AddObject(root, "parent");
    TintComponent* outer = AddTint(*parent, Color::White());
    // 64 children whose four channels together hold every byte value once.
    for (int k = 0; k < 64; ++k) {
        GameObject* child = AddObject(*parent, "child");
        const auto v = [&](int c) {
            return static_cast<uint8_t>(4 * k + c);
        };
        AddTint(*child, {v(0), v(1), v(2), v(3)});
        AddSprite(*child, &a);
    }
    for (int byte = 0; byte < 256; ++byte) {
        const auto u = static_cast<uint8_t>(byte);
        outer->Tint = {u, u, u, u};
        Render();
        for (int k = 0; k < 64; ++k) {
            const Color inner = parent->Children[static_cast<size_t>(k)]->Tint()->Tint;
            ASSERT_EQ(FirstVertex(0, &a, k)->color, (outer->Tint * inner).ToArgb()) << byte << " " << k;
        }
    }
}

TEST_F(HeadlessRenderTest, ARotatedSpriteTurnsAboutItsPosition) {
    GameObject* o = AddObject(root, "o");
    Pos2dComponent* pos = AddPos(*o, {10, 5}, false, 3.14159265f / 2);
    SpriteComponent* s = AddSprite(*o, &a, {2, 1});
    s->Origin = {0.5f, 0.0f};
    Render();
    const Vertex* v = FirstVertex(0, &a);
    // Unrotated the top-left corner is (-1.5, 0.5) from the position; a quarter turn puts it at (-0.5, -1.5).
    EXPECT_NEAR(v[0].x, 9.5f, 1e-5f);
    EXPECT_NEAR(v[0].y, 3.5f, 1e-5f);

    // The position keeps the turn's cosine and sine between frames; a new angle must replace them,
    // and so must a return to no turn at all.
    pos->Rotation = 3.14159265f;
    Render();
    v = FirstVertex(0, &a);
    EXPECT_NEAR(v[0].x, 11.5f, 1e-5f);
    EXPECT_NEAR(v[0].y, 4.5f, 1e-5f);
    pos->Rotation = 0.0f;
    Render();
    v = FirstVertex(0, &a);
    EXPECT_EQ(v[0].x, 8.5f);
    EXPECT_EQ(v[0].y, 5.5f);
}

TEST_F(HeadlessRenderTest, ANegativeWidthMirrorsTheSpriteLeftToRight) {
    GameObject* o = AddObject(root, "o");
    AddSprite(*o, &a, {-2, 1});
    Render();
    const Vertex* v = FirstVertex(0, &a);
    EXPECT_EQ(v[0].u, 0.0f);
    EXPECT_EQ(v[0].x, 1.0f); // u = 0 now lies on the right
    EXPECT_EQ(v[1].x, -1.0f);
}

TEST_F(HeadlessRenderTest, TenThousandQuadsOfOneTextureTakeTwoDraws) {
    GameObject* many = AddObject(root, "many");
    for (int i = 0; i < 10000; ++i) {
        AddSprite(*AddObject(*many, "q"), &a);
    }
    AddSprite(*AddObject(root, "other"), &b);
    Render();
    ASSERT_EQ(Pass(0).draws.size(), 3u);
    EXPECT_EQ(Pass(0).draws[0].quads, 9362);
    EXPECT_EQ(Pass(0).draws[1].quads, 638);
    EXPECT_EQ(Pass(0).draws[2].quads, 1);
    EXPECT_EQ(Pass(0).indexQuads, 9362);
}

TEST_F(HeadlessRenderTest, AnExactMultipleOfTheDrawSizeDrawsNoEmptyChunk) {
    for (int i = 0; i < 2 * Renderer::MaxQuadsPerDraw; ++i) {
        renderer->AddQuad(&a, {0, 0, 1, 1}, 0, Color::White(), {1, 1}, {}, {});
    }
    renderer->FlushPass();
    ASSERT_EQ(backend->Recorded.passes.back().draws.size(), 2u);
}

TEST_F(HeadlessRenderTest, SpritesWithoutTextureAndTextsWithoutFontAreSkipped) {
    AddSprite(*AddObject(root, "bare"), nullptr);
    GameObject* t = AddObject(root, "text");
    t->AddComponent(new TextComponent);
    Render();
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Pass(i).draws.empty());
    }
}

TEST_F(HeadlessRenderTest, TextGlyphsAreUprightInWorldAndScreenLayers) {
    auto font = MakeUnitFont();
    for (DrawLayer layer : {DrawLayer::World, DrawLayer::Ui}) {
        GameObject scene;
        GameObject* o = AddObject(scene, "label");
        auto* text = new TextComponent;
        text->Font = font.get();
        text->Text = "AB";
        text->FontSize = 10;
        text->Layer = layer;
        o->AddComponent(text);
        renderer->RenderFrame(&scene, graphics);
        const int pass = layer == DrawLayer::World ? 0 : 1;
        const Vertex* v = FirstVertex(pass, font->Page.get());
        ASSERT_NE(v, nullptr);
        // Vertex 0 carries the glyph's top texel row; it must be at the top of the screen image.
        const bool yUp = layer == DrawLayer::World;
        EXPECT_EQ(v[0].v, 0.0f);
        EXPECT_EQ(yUp ? v[0].y > v[2].y : v[0].y < v[2].y, true) << static_cast<int>(layer);
        // And the second glyph follows to the right.
        EXPECT_GT(FirstVertex(pass, font->Page.get(), 1)->x, v[0].x);
    }
}

TEST_F(HeadlessRenderTest, ThePhysicsOverlayDrawsBetweenTheWorldAndUiPasses) {
    TextureManager textures;
    Service<TextureLookup>::Scoped texturesLookup{textures};
    Service<TextureManager>::Scoped scope(textures);
    auto editor = std::make_unique<Texture>();
    editor->Name = "Editor";
    editor->UvRects.emplace_back(0.5f, 0.25f, 0.125f, 0.25f);
    editor->TrimRects.emplace_back(0, 0, 1, 1);
    editor->SpriteNames.push_back("1PixelWhite");
    editor->SpriteIndex["1PixelWhite"] = 0;
    const Texture* editorTexture = editor.get();
    textures.Banks["Editor"] = std::make_unique<TextureBank>();
    textures.Banks["Editor"]->Textures["Editor"] = std::move(editor);

    std::vector<Vector2> points(150);
    renderer->PhysicsOverlay = [&](Renderer& r) {
        r.DrawLineStrip(points.data(), 150, {0, 255, 0, 255}, true);
    };
    Render();
    EXPECT_TRUE(Pass(0).lines.empty());
    graphics.ShowPhysics = true;
    Render();
    EXPECT_TRUE(Pass(0).depthClearedAfter);
    ASSERT_EQ(Pass(0).lines.size(), 1u);
    const auto& lines = Pass(0).lines[0];
    EXPECT_EQ(lines.texture, editorTexture);
    EXPECT_EQ(lines.vertices.size(), 100u); // 99 points and the closing copy
    EXPECT_EQ(lines.vertices[0].u, 0.5625f);
    EXPECT_EQ(lines.vertices[0].v, 0.375f);
    EXPECT_EQ(lines.vertices[0].z, 1.0f);
}

TEST_F(HeadlessRenderTest, TheClearColourIsTheManagers) {
    graphics.ClearColor = {10, 20, 30, 255};
    Render();
    EXPECT_EQ(backend->Recorded.clear, Color(10, 20, 30, 255));
}

TEST_F(HeadlessRenderTest, DepthRunsOnThroughAllSixPassesCountingEveryVisibleObject) {
    AddSprite(*AddObject(root, "world"), &a);       // visit 1
    GameObject* hidden = AddObject(root, "hidden"); // no visit
    AddSprite(*AddObject(*hidden, "below"), &a, {1, 1}, DrawLayer::Ui);
    hidden->DrawEnabled = false;
    AddSprite(*AddObject(root, "twice"), &b, {1, 1}, static_cast<DrawLayer>(6)); // visit 2
    GameObject* last = AddObject(root, "last");                                  // visit 3
    AddSprite(*last, &a, {1, 1}, DrawLayer::EditorText2);
    AddSprite(*AddObject(*last, "child"), &b, {1, 1}, DrawLayer::EditorText2); // visit 4
    Render();
    const int visits = 5; // the root too
    EXPECT_EQ(FirstVertex(0, &a)->z, DepthAfterSteps(1));
    EXPECT_EQ(FirstVertex(1, &b)->z, DepthAfterSteps(1 * visits + 2));
    EXPECT_EQ(FirstVertex(2, &b)->z, DepthAfterSteps(2 * visits + 2));
    EXPECT_EQ(FirstVertex(5, &a)->z, DepthAfterSteps(5 * visits + 3));
    EXPECT_EQ(FirstVertex(5, &b)->z, DepthAfterSteps(5 * visits + 4));
    EXPECT_EQ(renderer->Depth, DepthAfterSteps(6 * visits));
    for (int pass : {0, 3, 4}) {
        EXPECT_EQ(Pass(pass).draws.size(), pass == 0 ? 1u : 0u) << pass;
    }
}

TEST_F(HeadlessRenderTest, LaterPassesReachTheDepthFloorLikeTheWorldPass) {
    // 420 groups of 400 leaves: the six walks take just over a million steps, past the floor at 0.
    GameObject* first = nullptr;
    for (int g = 0; g < 420; ++g) {
        GameObject* group = AddObject(root, "group");
        for (int i = 0; i < 400; ++i) {
            GameObject* leaf = AddObject(*group, "leaf");
            if (!first) {
                first = leaf;
            }
        }
    }
    AddSprite(*first, &a, {1, 1}, static_cast<DrawLayer>(2 | 16));
    AddSprite(*root.Children.back()->Children.back(), &b, {1, 1}, DrawLayer::EditorText2);
    Render();
    const int visits = 1 + 420 * 401;
    EXPECT_EQ(FirstVertex(1, &a)->z, DepthAfterSteps(visits + 2));
    EXPECT_GT(FirstVertex(1, &a)->z, 0.0f);
    EXPECT_EQ(FirstVertex(4, &a)->z, DepthAfterSteps(4 * visits + 2));
    EXPECT_EQ(FirstVertex(5, &b)->z, 0.0f); // the counter reached 0 earlier in this pass
    EXPECT_EQ(renderer->Depth, 0.0f);
}

TEST_F(HeadlessRenderTest, LaterPassesGetTheTintAndPositionTheWalkWorkedOut) {
    GameObject* parent = AddObject(root, "parent");
    AddPos(*parent, {3, 4}, true);
    AddTint(*parent, {128, 255, 255, 128});
    GameObject* child = AddObject(*parent, "child");
    AddPos(*child, {100, 50}, true);
    AddTint(*child, {255, 128, 0, 255});
    AddSprite(*child, &a, {2, 2}, DrawLayer::Editor2);
    Render();
    const Vertex* v = FirstVertex(4, &a);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(Centre(v), Vector2(103, 54));
    EXPECT_EQ(v->color, Color(128, 128, 0, 128).ToArgb());
}

TEST_F(HeadlessRenderTest, AnObjectWithABodyDrawsAtTheBodysPositionAndAngle) {
    GameObject* o = AddObject(root, "body");
    o->AddComponent(new StubBody({10, 5}, 3.14159265f / 2));
    SpriteComponent* s = AddSprite(*o, &a, {2, 1});
    s->Origin = {0.5f, 0.0f};
    AddSprite(*AddObject(*o, "child"), &b);
    Render();
    const Vertex* v = FirstVertex(0, &a);
    // As for a turned Pos2d object: the top-left corner (-1.5, 0.5) turns to (-0.5, -1.5).
    EXPECT_NEAR(v[0].x, 9.5f, 1e-5f);
    EXPECT_NEAR(v[0].y, 3.5f, 1e-5f);
    // A body hands down the position it received, and rotation is not inherited.
    EXPECT_EQ(Centre(FirstVertex(0, &b)), Vector2(0, 0));
    EXPECT_EQ(FirstVertex(0, &b)[0].y, FirstVertex(0, &b)[1].y);
}

TEST_F(HeadlessRenderTest, APositionComponentWinsOverABody) {
    GameObject* o = AddObject(root, "both");
    o->AddComponent(new StubBody({10, 5}, 1.0f));
    AddPos(*o, {-2, 7});
    AddSprite(*o, &a);
    Render();
    const Vertex* v = FirstVertex(0, &a);
    EXPECT_EQ(Centre(v), Vector2(-2, 7));
    EXPECT_EQ(v[0].y, v[1].y); // unturned
}

TEST_F(HeadlessRenderTest, LaterFramesReuseTheVertexStorage) {
    for (int i = 0; i < 3000; ++i) {
        AddSprite(*AddObject(root, "q"), &a);
    }
    Render();
    const Vertex* storage = renderer->QuadLists.at(0).data();
    Render();
    Render();
    EXPECT_EQ(renderer->QuadLists.at(0).data(), storage);
    EXPECT_EQ(Pass(0).draws.at(0).quads, 3000);
}

} // namespace
