#pragma once

#include <string>

#include <boost/property_tree/ptree.hpp>

// XML content (atlas and font descriptors) read into property trees. The XML parser lives in
// XmlContent.cpp alone, so the readers share one copy of it.

// The tree of xml; throws ContentError naming file when it nests too deeply or is not readable XML
// (with the parser's message and line).
boost::property_tree::ptree ReadXmlContent(const std::string& xml, const std::string& file);

// An element's attributes; an element without any has none (not a temporary that dies at once).
const boost::property_tree::ptree& XmlAttributes(const boost::property_tree::ptree& element);
