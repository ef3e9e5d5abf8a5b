# A module map as kelvane_write_module_map writes it: core and core_extra share the folder core; core
# reaches neither core_extra nor the world above it, however an include spells the path.
set(KELVANE_MODULE_LIST kelvane_core kelvane_core_extra kelvane_world)
set(KELVANE_LAYERS engine game)
set(kelvane_core_LAYER engine)
set(kelvane_core_FILES "")
set(kelvane_core_DEPS "")
set(kelvane_core_extra_LAYER engine)
set(kelvane_core_extra_FILES "${CMAKE_CURRENT_LIST_DIR}/src/core/Extra.h")
set(kelvane_core_extra_DEPS "")
set(kelvane_world_LAYER game)
set(kelvane_world_FILES "")
set(kelvane_world_DEPS "kelvane_core")
