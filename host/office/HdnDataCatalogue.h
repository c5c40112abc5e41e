#pragma once

#include <QString>

namespace tarvelo {

class ComboBox;

// The part of the HDN data catalogue this program ships: an XML schema with
// the enumerations the pages offer, kept in the installation folder.
namespace HdnDataCatalogue {

// The schema file under an installation folder.
QString schemaFile(const QString& installationFolder);
// Writes the schema there when it is missing.
void install(const QString& installationFolder);

// Fills the combo with the values of the schema's enumeration type: the
// value's documentation as text (the value itself when it has none) and the
// value as item data. A missing or damaged file is error 53 or 31037, an
// unknown type error 5; the combo is left as it was then.
void fillComboFromXsd(const QString& schemaFile, const QString& typeName, ComboBox& combo);

} // namespace HdnDataCatalogue
} // namespace tarvelo
