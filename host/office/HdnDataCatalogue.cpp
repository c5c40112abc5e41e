#include "host/office/HdnDataCatalogue.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/ComboBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <pugixml.hpp>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo::HdnDataCatalogue {

namespace {
// The enumerations of the catalogue the settings pages use.
constexpr char Schema[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" elementFormDefault="qualified">
  <xs:annotation>
    <xs:documentation>HDN datacatalogus: de keuzelijsten van de aanvraagberichten die de instellingen gebruiken.</xs:documentation>
  </xs:annotation>
  <xs:simpleType name="AanvullendeVerzendwijzeType">
    <xs:annotation><xs:documentation>Hoe de geldverstrekker de stukken van een aanvraag aanvullend retour zendt.</xs:documentation></xs:annotation>
    <xs:restriction base="xs:string">
      <xs:enumeration value="1"><xs:annotation><xs:documentation>Per post</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="2"><xs:annotation><xs:documentation>Per fax</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="3"><xs:annotation><xs:documentation>Per HDN</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="4"><xs:annotation><xs:documentation>Per e-mail</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="5"><xs:annotation><xs:documentation>Via het portaal van de geldverstrekker</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="6"><xs:annotation><xs:documentation>Per HDN en per e-mail</xs:documentation></xs:annotation></xs:enumeration>
    </xs:restriction>
  </xs:simpleType>
  <xs:simpleType name="SoortBerichtType">
    <xs:restriction base="xs:string">
      <xs:enumeration value="AX"><xs:annotation><xs:documentation>Aanvraag</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="OX"><xs:annotation><xs:documentation>Offerte</xs:documentation></xs:annotation></xs:enumeration>
      <xs:enumeration value="DX"><xs:annotation><xs:documentation>Dossierstatus</xs:documentation></xs:annotation></xs:enumeration>
    </xs:restriction>
  </xs:simpleType>
</xs:schema>
)";

// The local part of an element's name: the schema prefix is the author's choice.
bool named(const pugi::xml_node& node, const char* local)
{
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_node child(const pugi::xml_node& parent, const char* local)
{
    for (pugi::xml_node node : parent.children()) {
        if (named(node, local))
            return node;
    }
    return {};
}
} // namespace

QString schemaFile(const QString& installationFolder)
{
    return QDir(installationFolder).filePath(u"HDN/HDN/datacatalogus_AX.xsd"_s);
}

void install(const QString& installationFolder)
{
    const QString file = schemaFile(installationFolder);
    if (QFileInfo::exists(file))
        return;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(Schema, qint64(sizeof(Schema) - 1)) < 0 || !out.commit())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           u"De HDN datacatalogus kan niet worden geschreven: %1"_s.arg(out.errorString()));
}

void fillComboFromXsd(const QString& schemaFile, const QString& typeName, ComboBox& combo)
{
    QFile file(schemaFile);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(53, u"Bestand niet gevonden: %1"_s.arg(QDir::toNativeSeparators(schemaFile)));
    const QByteArray content = file.readAll();
    pugi::xml_document document;
    if (!document.load_buffer(content.constData(), std::size_t(content.size())))
        throw RuntimeError(31037,
                           u"Het bestand %1 is geen geldig XML-schema"_s.arg(QDir::toNativeSeparators(schemaFile)));
    const QByteArray type = typeName.toUtf8();
    pugi::xml_node restriction;
    for (pugi::xml_node node : document.document_element().children()) {
        if (named(node, "simpleType") && type == node.attribute("name").value()) {
            restriction = child(node, "restriction");
            break;
        }
    }
    if (!restriction)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           u"Het type %1 staat niet in %2"_s.arg(typeName, QDir::toNativeSeparators(schemaFile)));
    std::vector<ListEntry> entries;
    for (pugi::xml_node value : restriction.children()) {
        if (!named(value, "enumeration"))
            continue;
        const QString code = QString::fromUtf8(value.attribute("value").value());
        const QString text =
            QString::fromUtf8(child(child(value, "annotation"), "documentation").text().get()).trimmed();
        bool numeric = false;
        const qint32 data = code.toInt(&numeric);
        entries.push_back({text.isEmpty() ? code : text, numeric ? data : qint32(entries.size() + 1)});
    }
    for (const ListEntry& entry : entries)
        combo.addItemWithData(entry.text, entry.itemData);
}

} // namespace tarvelo::HdnDataCatalogue
