# A module map as kelvane_write_module_map writes it: core includes the world above it and render
# beside it without declaring it.
set(KELVANE_MODULE_LIST kelvane_core kelvane_render kelvane_world)
set(KELVANE_LAYERS engine game)
set(kelvane_core_LAYER engine)
set(kelvane_core_FILES "")
set(kelvane_core_DEPS "")
set(kelvane_render_LAYER engine)
set(kelvane_render_FILES "")
set(kelvane_render_DEPS "kelvane_core")
set(kelvane_world_LAYER game)
set(kelvane_world_FILES "")
set(kelvane_world_DEPS "kelvane_render")
