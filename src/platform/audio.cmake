# Sound output (OpenAL Soft) and decoding (libsndfile) behind the engine's own sound vocabulary.
kelvane_add_module(platform_audio
    ${CMAKE_CURRENT_LIST_DIR}/AudioChannel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioSound.h
    ${CMAKE_CURRENT_LIST_DIR}/AudioDecoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioSystem.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioSystemState.h
    ${CMAKE_CURRENT_LIST_DIR}/MusicStream.cpp
    DEPS kelvane_platform_files PkgConfig::OPENAL PkgConfig::SNDFILE)
