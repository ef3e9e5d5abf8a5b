#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "ThirdPartyData.h"
#include "platform/Image.h"

// A private content folder (the test's own, see TestFolder), removed with the object.
class TempContent {
public:
    TempContent() : Root(folder_.Path()) {}
    TempContent(const TempContent&) = delete;
    TempContent& operator=(const TempContent&) = delete;

    std::filesystem::path Write(const std::string& relative, const std::string& text) const {
        const auto path = Root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // A solid-colour PNG of the given size.
    std::filesystem::path WriteImage(const std::string& relative, int width, int height,
                                     uint32_t rgba = 0xffffffffu) const {
        const auto path = Root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
        for (size_t i = 0; i < pixels.size(); i += 4) {
            pixels[i] = static_cast<uint8_t>(rgba >> 24);
            pixels[i + 1] = static_cast<uint8_t>(rgba >> 16);
            pixels[i + 2] = static_cast<uint8_t>(rgba >> 8);
            pixels[i + 3] = static_cast<uint8_t>(rgba);
        }
        WritePngFile(path.string(), width, height, pixels.data());
        return path;
    }

    // Copies a third-party sample file, optionally under a new name.
    std::filesystem::path CopyTestData(const std::string& sample, const std::string& relative) const {
        const auto path = Root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::filesystem::copy_file(ThirdPartyData(sample), path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    std::string Str() const { return Root.string(); }

private:
    TestFolder folder_{"content"};

public:
    std::filesystem::path Root;
};

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
