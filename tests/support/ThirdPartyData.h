#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

// A path inside the third-party sample files kept in tests/data/third_party. A missing folder is
// a failure that names it, so a broken checkout never passes by loading nothing.
inline std::filesystem::path ThirdPartyData(const std::string& relative = "") {
    const std::filesystem::path root = KELVANE_TESTDATA_DIR;
    if (!std::filesystem::is_directory(root)) {
        ADD_FAILURE() << "third-party test data folder is missing: " << root.string();
    }
    return relative.empty() ? root : root / relative;
}
