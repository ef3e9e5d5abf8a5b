#include "assets/XmlContent.h"

#include <sstream>

#include <boost/property_tree/xml_parser.hpp>

#include "core/ContentError.h"
#include "core/ContentText.h"

namespace pt = boost::property_tree;

pt::ptree ReadXmlContent(const std::string& xml, const std::string& file) {
    CheckXmlNesting(xml, file);
    pt::ptree tree;
    try {
        std::istringstream in(xml);
        pt::read_xml(in, tree);
    } catch (const pt::xml_parser_error& e) {
        throw ContentError(file, "not a readable XML file (" + e.message() + " at line " +
                                     std::to_string(e.line()) + ")");
    }
    return tree;
}

const pt::ptree& XmlAttributes(const pt::ptree& element) {
    static const pt::ptree none;
    const auto found = element.get_child_optional("<xmlattr>");
    return found ? *found : none;
}
