# Sound output (OpenAL Soft) and decoding (libsndfile) behind the engine's own sound vocabulary.
kelvane_add_module(platform_audio
    AudioChannel.cpp
    AudioSound.h
    AudioDecoder.cpp
    AudioSystem.cpp
    AudioSystemState.h
    MusicStream.cpp
    DEPS kelvane_platform_files PkgConfig::OPENAL PkgConfig::SNDFILE)
