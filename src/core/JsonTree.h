#pragma once

#include <iosfwd>
#include <string>

#include <boost/property_tree/json_parser/error.hpp>
#include <boost/property_tree/ptree_fwd.hpp>

// JSON text to and from property trees. The JSON parser and writer live in JsonTree.cpp alone, so
// every reader and writer shares one copy of them.

// Fills tree from the JSON text of in; throws boost::property_tree::json_parser::json_parser_error
// (with the line) when it is not JSON.
void ReadJsonTree(std::istream& in, boost::property_tree::ptree& tree);
// The same from the file at path; a file that cannot be opened throws json_parser_error too.
void ReadJsonFile(const std::string& path, boost::property_tree::ptree& tree);
// Writes tree as indented JSON text.
void WriteJsonTree(std::ostream& out, const boost::property_tree::ptree& tree);
