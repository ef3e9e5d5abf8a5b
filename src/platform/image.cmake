# Image files: decoding any format stb_image reads to RGBA8, and PNG writing (kelvane_platform_image).
kelvane_add_module(platform_image Image.cpp DEPS kelvane_platform_files)
target_include_directories(kelvane_platform_image SYSTEM PRIVATE ${STB_INCLUDE_DIR})
