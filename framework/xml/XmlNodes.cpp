#include "framework/xml/XmlNodes.h"

#include <sstream>

namespace tarvelo {

QString GetNodeText(const pugi::xml_node& node, const QString& path)
{
    if (!node)
        return QString();
    try {
        const pugi::xpath_node found = node.select_node(path.toUtf8().constData());
        if (found.node())
            return QString::fromUtf8(found.node().text().get());
        if (found.attribute())
            return QString::fromUtf8(found.attribute().value());
    } catch (const pugi::xpath_exception&) {
    }
    return QString();
}

QString xmlText(const pugi::xml_node& node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw, pugi::encoding_utf8);
    return QString::fromStdString(out.str());
}

} // namespace tarvelo
