#include "pages/advice/StandaardtekstDocument.h"

#include <QUuid>
#include <sstream>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr const char* Onderdeel = "motiveringonderdeel";
constexpr const char* Onderwerp = "motiveringonderwerp";
constexpr const char* Tekst = "standaardtekst";

// Line breaks are kept as typed (CR LF), not folded into LF.
constexpr unsigned ParseFlags = (pugi::parse_default | pugi::parse_declaration) & ~pugi::parse_eol;

QString text(const char* s) { return QString::fromUtf8(s); }
std::string utf8(const QString& s) { return s.toStdString(); }

bool isText(const pugi::xml_node& node, const QString& id, const QString& cd)
{
    return text(node.attribute("id").value()) == id && text(node.attribute("cd").value()) == cd;
}

pugi::xml_parse_result parse(pugi::xml_document& doc, const QString& xml)
{
    const QByteArray bytes = xml.toUtf8();
    return doc.load_buffer(bytes.constData(), std::size_t(bytes.size()), ParseFlags, pugi::encoding_utf8);
}

// The child with this name and id, appended when there is none.
pugi::xml_node childWithId(pugi::xml_node parent, const char* name, const std::string& id)
{
    for (pugi::xml_node child : parent.children(name)) {
        if (id == child.attribute("id").value())
            return child;
    }
    pugi::xml_node child = parent.append_child(name);
    child.append_attribute("id") = id.c_str();
    return child;
}
} // namespace

const QStringList& StandaardtekstDocument::ImportSoorten()
{
    static const QStringList soorten = {u"wens"_s, u"motivering"_s, u"keuze"_s, u"algemeen"_s, u"bijzonderheden"_s};
    return soorten;
}

StandaardtekstDocument::StandaardtekstDocument() { clear(); }

void StandaardtekstDocument::clear()
{
    doc_.reset();
    pugi::xml_node declaration = doc_.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    doc_.append_child(RootName);
}

std::optional<QString> StandaardtekstDocument::check(const QString& xml)
{
    pugi::xml_document doc;
    if (!parse(doc, xml))
        return std::nullopt;
    // The text is kept whole: a document type declaration, which an export
    // never has, would be kept with its entities.
    pugi::xml_document withDoctype;
    const QByteArray bytes = xml.toUtf8();
    if (!withDoctype.load_buffer(bytes.constData(), std::size_t(bytes.size()), ParseFlags | pugi::parse_doctype,
                                 pugi::encoding_utf8))
        return std::nullopt;
    for (pugi::xml_node node : withDoctype.children()) {
        if (node.type() == pugi::node_doctype)
            return std::nullopt;
    }
    if (qstrcmp(doc.document_element().name(), RootName) != 0)
        return std::nullopt;
    return xml;
}

void StandaardtekstDocument::load(const QString& xml)
{
    if (!check(xml) || !parse(doc_, xml))
        clear();
}

QString StandaardtekstDocument::xml() const
{
    std::ostringstream out;
    doc_.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return QString::fromStdString(out.str());
}

pugi::xml_node StandaardtekstDocument::root()
{
    pugi::xml_node r = doc_.document_element();
    if (!r)
        r = doc_.append_child(RootName);
    return r;
}

pugi::xml_node StandaardtekstDocument::onderwerpNode(const QString& onderdeel, const QString& onderwerp)
{
    return childWithId(childWithId(root(), Onderdeel, utf8(onderdeel)), Onderwerp, utf8(onderwerp));
}

pugi::xml_node StandaardtekstDocument::onderwerpNode(int onderdeel, int onderwerp)
{
    return onderwerpNode(QString::number(onderdeel), QString::number(onderwerp));
}

pugi::xml_node StandaardtekstDocument::tekstNode(int onderdeel, int onderwerp, const QString& id, const QString& cd)
{
    for (pugi::xml_node node : onderwerpNode(onderdeel, onderwerp).children(Tekst)) {
        if (isText(node, id, cd))
            return node;
    }
    return {};
}

std::vector<Standaardtekst> StandaardtekstDocument::teksten(int onderdeel, int onderwerp, const QString& cd)
{
    std::vector<Standaardtekst> result;
    QStringList seen;
    for (pugi::xml_node node : onderwerpNode(onderdeel, onderwerp).children(Tekst)) {
        if (text(node.attribute("cd").value()) != cd)
            continue;
        // A repeated id (a copied text in an imported file) would make two
        // texts one: the later one gets an id of its own.
        const QString current = text(node.attribute("id").value());
        if (current.isEmpty() || seen.contains(current)) {
            pugi::xml_attribute id = node.attribute("id") ? node.attribute("id") : node.append_attribute("id");
            id = utf8(newId()).c_str();
        }
        seen << text(node.attribute("id").value());
        result.push_back(
            {seen.back(), cd, text(node.child_value()), qstrcmp(node.attribute("default").value(), "true") == 0});
    }
    return result;
}

QString StandaardtekstDocument::add(int onderdeel, int onderwerp, const QString& cd, const QString& tekst)
{
    const QString id = newId();
    pugi::xml_node node = onderwerpNode(onderdeel, onderwerp).append_child(Tekst);
    node.append_attribute("cd") = utf8(cd).c_str();
    node.append_attribute("id") = utf8(id).c_str();
    node.append_attribute("default") = "false";
    node.text() = utf8(tekst).c_str();
    return id;
}

bool StandaardtekstDocument::update(int onderdeel, int onderwerp, const QString& id, const QString& cd,
                                    const QString& tekst, bool standaard)
{
    pugi::xml_node node = tekstNode(onderdeel, onderwerp, id, cd);
    if (!node)
        return false;
    node.text() = utf8(tekst).c_str();
    pugi::xml_attribute attribute =
        node.attribute("default") ? node.attribute("default") : node.append_attribute("default");
    attribute = standaard ? "true" : "false";
    return true;
}

bool StandaardtekstDocument::remove(int onderdeel, int onderwerp, const QString& id, const QString& cd)
{
    pugi::xml_node node = tekstNode(onderdeel, onderwerp, id, cd);
    return node && node.parent().remove_child(node);
}

void StandaardtekstDocument::setStandaard(int onderdeel, int onderwerp, const QString& cd, const QString& id)
{
    for (pugi::xml_node node : onderwerpNode(onderdeel, onderwerp).children(Tekst)) {
        if (text(node.attribute("cd").value()) != cd)
            continue;
        pugi::xml_attribute attribute =
            node.attribute("default") ? node.attribute("default") : node.append_attribute("default");
        attribute = !id.isEmpty() && isText(node, id, cd) ? "true" : "false";
    }
}

bool StandaardtekstDocument::hasTeksten() const
{
    for (pugi::xml_node onderdeel : doc_.document_element().children(Onderdeel)) {
        for (pugi::xml_node onderwerp : onderdeel.children(Onderwerp)) {
            if (onderwerp.child(Tekst))
                return true;
        }
    }
    return false;
}

int StandaardtekstDocument::addFrom(const QString& importedXml)
{
    pugi::xml_document imported;
    if (!parse(imported, importedXml))
        return 0;
    int added = 0;
    for (pugi::xml_node onderdeel : imported.document_element().children(Onderdeel)) {
        for (pugi::xml_node onderwerp : onderdeel.children(Onderwerp)) {
            pugi::xml_node target =
                onderwerpNode(text(onderdeel.attribute("id").value()), text(onderwerp.attribute("id").value()));
            for (const QString& cd : ImportSoorten()) {
                for (pugi::xml_node node : onderwerp.children(Tekst)) {
                    if (text(node.attribute("cd").value()) != cd)
                        continue;
                    const char* value = node.child_value();
                    bool present = false;
                    for (pugi::xml_node existing : target.children(Tekst)) {
                        present = present || (text(existing.attribute("cd").value()) == cd &&
                                              qstrcmp(existing.child_value(), value) == 0);
                    }
                    if (present)
                        continue;
                    pugi::xml_node copy = target.append_child(Tekst);
                    copy.append_attribute("cd") = utf8(cd).c_str();
                    copy.append_attribute("id") = utf8(newId()).c_str();
                    copy.append_attribute("default") = "false";
                    copy.text() = value;
                    ++added;
                }
            }
        }
    }
    return added;
}

QString StandaardtekstDocument::newId() { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }

} // namespace tarvelo
