# Game-wide event hubs (kelvane_events); included by src/core/CMakeLists.txt.
kelvane_add_module(events ${CMAKE_CURRENT_LIST_DIR}/Events.cpp)
