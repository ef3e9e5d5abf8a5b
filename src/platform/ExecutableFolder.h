#pragma once

#include <filesystem>

// The folder holding the running executable, absolute and with links resolved; empty when the
// system cannot say (no /proc).
std::filesystem::path ExecutableFolder();
