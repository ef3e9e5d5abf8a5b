# JSON reading and writing for property trees (kelvane_json); included by src/core/CMakeLists.txt.
kelvane_add_module(json ${CMAKE_CURRENT_LIST_DIR}/JsonTree.cpp DEPS Boost::headers)
