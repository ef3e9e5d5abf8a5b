# The header-only basics under reflection and every other engine module: value types, service and
# well-known access, events, game time, content errors, and the shared graphics settings with their
# cameras (kelvane_core_basics); included by src/core/CMakeLists.txt. They include nothing but each
# other and the standard library.
kelvane_add_header_module(core_basics
    Camera2d.h
    Color.h
    ContentError.h
    ContentFolder.h
    ContentText.h
    DrawLayer.h
    Event.h
    GameTime.h
    GraphicsManager.h
    Rect.h
    Service.h
    ServiceOwner.h
    SinCos.h
    TextAlignment.h
    Vector2.h
    WellKnown.h)
