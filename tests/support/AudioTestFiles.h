#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "TestFolder.h"

// Writes a 16-bit PCM WAV holding a square wave of the given length, so that every frame is loud.
inline void WriteWav(const std::filesystem::path& path, double seconds, int sampleRate = 22050,
                     int channels = 1) {
    std::filesystem::create_directories(path.parent_path());
    const auto frames = std::uint32_t(std::llround(seconds * sampleRate));
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < frames; i++) {
        for (int c = 0; c < channels; c++) {
            samples.push_back((i / 25) % 2 ? 12000 : -12000);
        }
    }
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        out.write(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [&](std::uint16_t v) {
        out.write(reinterpret_cast<const char*>(&v), 2);
    };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(std::uint16_t(channels));
    u32(std::uint32_t(sampleRate));
    u32(std::uint32_t(sampleRate * channels * 2));
    u16(std::uint16_t(channels * 2));
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// A real Ogg Vorbis file whose pages all claim "no packet ends here" (granule position -1), with
// their checksums made right again: the decoder then cannot learn the length and reports the
// largest frame count there is.
inline std::string OggWithoutLength(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto crc = [](const std::string& page) {
        std::uint32_t c = 0;
        for (const char byte : page) {
            c ^= std::uint32_t(std::uint8_t(byte)) << 24;
            for (int bit = 0; bit < 8; bit++)
                c = (c & 0x80000000u) ? (c << 1) ^ 0x04c11db7u : c << 1;
        }
        return c;
    };
    for (std::size_t at = bytes.find("OggS"); at != std::string::npos; at = bytes.find("OggS", at + 1)) {
        const std::size_t segments = std::uint8_t(bytes[at + 26]);
        std::size_t length = 27 + segments;
        for (std::size_t i = 0; i < segments; i++)
            length += std::uint8_t(bytes[at + 27 + i]);
        bytes.replace(at + 6, 8, 8, '\xff');
        bytes.replace(at + 22, 4, 4, '\0');
        const std::uint32_t sum = crc(bytes.substr(at, length));
        for (int i = 0; i < 4; i++)
            bytes[at + 22 + i] = char((sum >> (8 * i)) & 0xff);
    }
    return bytes;
}
