# JSON reading and writing for property trees (kelvane_json); included by src/core/CMakeLists.txt.
kelvane_add_module(json JsonTree.cpp DEPS Boost::headers)
