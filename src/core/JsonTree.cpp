#include "core/JsonTree.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

namespace pt = boost::property_tree;

void ReadJsonTree(std::istream& in, pt::ptree& tree) {
    pt::read_json(in, tree);
}

void ReadJsonFile(const std::string& path, pt::ptree& tree) {
    pt::read_json(path, tree);
}

void WriteJsonTree(std::ostream& out, const pt::ptree& tree) {
    pt::write_json(out, tree, true);
}
