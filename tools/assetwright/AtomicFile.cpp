#include "AtomicFile.h"

#include "ToolError.h"
#include "platform/AtomicFile.h"

namespace kelvane::assetwright {

namespace {
void writeBytes(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::string fault;
    if (!::WriteFileAtomically(path, std::string_view(data, size), fault)) {
        throw ToolError("cannot write '" + path.string() + "': " + fault);
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
