#include "RecipeFile.h"

#include <boost/property_tree/json_parser.hpp>

namespace kelvane::assetwright {

boost::property_tree::ptree readRecipeFile(const std::filesystem::path& path) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_json(path.string(), tree);
    return tree;
}

} // namespace kelvane::assetwright
