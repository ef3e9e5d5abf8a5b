// The draw walk visits every object each frame and is bound by memory traffic: it stays fast only
// while each object and component it reads keeps its hot fields within the cache lines below. A
// new field that moves them fails the build here instead of silently slowing every frame.
#include <cstddef>

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

// These types are not standard-layout; GCC and Clang give the offsets all the same.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace {

constexpr std::size_t kLine = 64;

constexpr bool SameLine(std::size_t first, std::size_t last) {
    return first / kLine == last / kLine;
}

} // namespace

// The shortcut slots fill the first line, Children and the three flags open the second.
static_assert(alignof(GameObject) == kLine, "objects start a cache line");
static_assert(sizeof(GameObject) == 4 * kLine, "an object takes four cache lines");
static_assert(offsetof(GameObject, Slots) < kLine, "the slots are read first, from the first line");
static_assert(offsetof(GameObject, Children) == kLine, "Children opens the second line");
static_assert(SameLine(offsetof(GameObject, Children), offsetof(GameObject, PendingDestroy)),
              "Children and the flags share the second line");
static_assert(SameLine(offsetof(GameObject, Children),
                       offsetof(GameObject, Behaviors) + sizeof(GameObject::Behaviors) - 1),
              "the input and update passes read the second line alone");

// Pos, Rotation, IsRelative and the cached turn (declared after them, to the end) share one line.
static_assert(alignof(Pos2dComponent) == kLine, "positions start a cache line");
static_assert(sizeof(Pos2dComponent) == 2 * kLine, "a position takes two cache lines");
static_assert(SameLine(offsetof(Pos2dComponent, Pos), sizeof(Pos2dComponent) - 1),
              "a position's drawn fields lie in its last line");

// From SelectedIndex to the texture pointer (the last member) a draw reads one line.
static_assert(offsetof(SpriteComponent, SelectedIndex) % kLine == 0, "a sprite's drawn fields start a line");
static_assert(sizeof(SpriteComponent) == offsetof(SpriteComponent, SelectedIndex) + kLine,
              "a sprite's drawn fields and texture fill exactly that line");

// The walk reads Font and Layer of every text, so they share one line.
static_assert(SameLine(offsetof(TextComponent, Font), offsetof(TextComponent, Layer)),
              "a text's font and layer share a line");
