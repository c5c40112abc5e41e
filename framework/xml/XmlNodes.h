#pragma once

#include <QString>
#include <pugixml.hpp>

namespace tarvelo {

// The text of the first node the XPath selects under node; empty when it
// selects nothing or is not a valid selector.
QString GetNodeText(const pugi::xml_node& node, const QString& path);

// The document's text as UTF-8 without indentation.
QString xmlText(const pugi::xml_node& node);

} // namespace tarvelo
