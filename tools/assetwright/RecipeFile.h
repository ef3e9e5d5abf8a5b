#pragma once

#include <filesystem>

#include <boost/property_tree/ptree.hpp>

namespace kelvane::assetwright {

// The JSON tree of a recipe file (font, sound or music). The JSON parser lives in RecipeFile.cpp
// alone, so the recipe readers share one copy of it. Throws boost::property_tree::ptree_error (a
// json_parser_error naming the file and line) when the file cannot be read or is not JSON.
boost::property_tree::ptree readRecipeFile(const std::filesystem::path& path);

} // namespace kelvane::assetwright
