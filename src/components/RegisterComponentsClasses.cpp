#include "components/RegisterComponentsClasses.h"

#include "components/DebugRectsBhv.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "reflection/ComponentRegistry.h"

void RegisterComponentsClasses(ComponentRegistry& registry) {
    registry.Register<SpriteComponent>();
    registry.Register<TintComponent>();
    registry.Register<DebugRectsBhv>();
    registry.Register<TextComponent>();
}
