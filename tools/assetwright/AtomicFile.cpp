#include "AtomicFile.h"

#include "ToolError.h"

#include <fstream>
#include <system_error>

namespace kelvane::assetwright {

namespace {
void writeBytes(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            throw ToolError("cannot create folder '" + path.parent_path().string() + "': " + ec.message());
        }
    }
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(data, static_cast<std::streamsize>(size));
        out.close();
        if (!out) {
            std::filesystem::remove(temp, ec);
            throw ToolError("cannot write '" + temp.string() + "'");
        }
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw ToolError("cannot replace '" + path.string() + "': " + ec.message());
    }
}
} // namespace

void writeFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    writeBytes(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view text) {
    writeBytes(path, text.data(), text.size());
}

} // namespace kelvane::assetwright
