#pragma once

#include <filesystem>

// Whether this user may create and replace files in folder. A folder whose permission bits grant
// nobody writing counts as read-only even for root, who could write it anyway: someone made it
// read-only on purpose (an install tree), and the game must leave it as it is.
bool IsWritableFolder(const std::filesystem::path& folder);
