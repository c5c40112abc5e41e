#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <pugixml.hpp>
#include <vector>

namespace tarvelo {

// One standard text of a subject.
struct Standaardtekst {
    QString id;
    QString cd;
    QString tekst;
    bool standaard = false;
};

// The office's standard motivation texts as one XML document: sections
// ("motiveringonderdeel") hold subjects ("motiveringonderwerp"), subjects
// hold the texts ("standaardtekst" with cd, id and default). Texts are found
// by comparing their attributes and text, never by pasting them into a
// selector, so that every text (quotes and apostrophes too) can be found.
class StandaardtekstDocument {
public:
    static constexpr const char* RootName = "tarvelo_advisering_standaardtekst";
    // The kinds an import carries, "wens" included, in the order they are added.
    static const QStringList& ImportSoorten();

    // An empty document: the declaration and an empty root.
    StandaardtekstDocument();
    StandaardtekstDocument(const StandaardtekstDocument&) = delete;
    StandaardtekstDocument& operator=(const StandaardtekstDocument&) = delete;

    // The document in xml, or nothing when it is no standard-text document
    // (damaged, truncated, another kind of XML).
    static std::optional<QString> check(const QString& xml);
    // Loads the stored document; an empty or damaged one starts empty.
    void load(const QString& xml);
    QString xml() const;

    // The texts of one kind under a subject, in document order; the section
    // and subject are created when missing, and a text without an id, or
    // with the id of an earlier one, gets a new one.
    std::vector<Standaardtekst> teksten(int onderdeel, int onderwerp, const QString& cd);
    // Appends a text (not the default) and returns its new id.
    QString add(int onderdeel, int onderwerp, const QString& cd, const QString& tekst);
    // False when no text of that id and kind is under the subject.
    bool update(int onderdeel, int onderwerp, const QString& id, const QString& cd, const QString& tekst,
                bool standaard);
    bool remove(int onderdeel, int onderwerp, const QString& id, const QString& cd);
    // Makes the text with this id the one default of its kind under the
    // subject; an empty id leaves none.
    void setStandaard(int onderdeel, int onderwerp, const QString& cd, const QString& id);
    // Whether any subject holds a text.
    bool hasTeksten() const;

    // Adds the imported texts of every kind: a text equal to one of the same
    // kind under the same subject is skipped; an added one gets a new id and
    // is not the default. Returns how many were added.
    int addFrom(const QString& importedXml);

    static QString newId();

private:
    pugi::xml_node root();
    pugi::xml_node onderwerpNode(int onderdeel, int onderwerp);
    pugi::xml_node onderwerpNode(const QString& onderdeel, const QString& onderwerp);
    pugi::xml_node tekstNode(int onderdeel, int onderwerp, const QString& id, const QString& cd);
    void clear();

    pugi::xml_document doc_;
};

} // namespace tarvelo
