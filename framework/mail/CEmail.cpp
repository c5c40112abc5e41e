#include "framework/mail/CEmail.h"

#include "framework/errors/RuntimeError.h"
#include "framework/text/Ansi.h"
#include "framework/util/Base64.h"
#include "framework/xml/XmlNodes.h"

#include <QFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

template <class T>
const T* CEmail::KeyedList<T>::at(const QString& key) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    return found == entries_.end() ? nullptr : &found->second;
}

template <class T>
void CEmail::KeyedList<T>::add(const QString& prefix, T entry)
{
    // After a removal the count names a key still in use; the next free number is taken.
    int number = count();
    while (at(prefix + QString::number(number)))
        ++number;
    entries_.emplace_back(prefix + QString::number(number), std::move(entry));
}

template <class T>
void CEmail::KeyedList<T>::remove(int position)
{
    if (position < 1 || position > count())
        throw RuntimeError::subscriptOutOfRange();
    entries_.erase(entries_.begin() + (position - 1));
}

template <class T>
void CEmail::KeyedList<T>::remove(const QString& key)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    if (found == entries_.end())
        throw RuntimeError::subscriptOutOfRange();
    entries_.erase(found);
}

template class CEmail::KeyedList<CEmailGeadresseerde>;
template class CEmail::KeyedList<CEmailBijlage>;

void CEmail::AddBijlageFromFile(const QString& file, const QString& naam, const QString& beschrijving)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PathNotFound, u"Het bestand '%1' kan niet worden gelezen."_s.arg(file));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, u"Het bestand '%1' kan niet worden gelezen."_s.arg(file));
    AddBijlage(bytes, naam, beschrijving);
}

void CEmail::AddBijlage(const QString& inhoud, const QString& naam, const QString& beschrijving, bool isAnsi)
{
    // Widening ANSI text gives one character per byte again, as a file's content holds it.
    bijlagen_.add(u"Bijlage"_s, CEmailBijlage{naam, isAnsi ? fromAnsi(inhoud.toLatin1()) : inhoud, beschrijving});
}

void CEmail::AddBijlage(const QByteArray& ansiBytes, const QString& naam, const QString& beschrijving)
{
    bijlagen_.add(u"Bijlage"_s, CEmailBijlage{naam, fromAnsi(ansiBytes), beschrijving});
}

namespace {

QString prioriteitText(qint32 prioriteit)
{
    switch (prioriteit) {
    case 1: return u"L Laag"_s;
    case 2: return u"M Middel"_s;
    case 3: return u"H Hoog"_s;
    default: return u"O Onbekend"_s;
    }
}

void addText(pugi::xml_node parent, const char* name, const QString& text)
{
    parent.append_child(name).text().set(text.toUtf8().constData());
}

void addPerson(pugi::xml_node parent, const CEmailGeadresseerde& person)
{
    addText(parent, "naam", person.Naam);
    addText(parent, "emailadres", person.Emailadres);
}

void addGroup(pugi::xml_node geadresseerden, const char* name, const CEmail::KeyedList<CEmailGeadresseerde>& list)
{
    pugi::xml_node group = geadresseerden.append_child(name);
    for (int i = 1; i <= list.count(); ++i) {
        pugi::xml_node person = group.append_child("geadresseerde");
        person.append_attribute("id").set_value(i);
        addPerson(person, *list.at(i));
    }
}

} // namespace

std::unique_ptr<pugi::xml_document> CEmail::Make_XMLBericht_AsDOMDocument() const
{
    auto document = std::make_unique<pugi::xml_document>();
    pugi::xml_node declaration = document->append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = document->append_child("tarvelo_emailbericht");
    addText(root, "onderwerp", Onderwerp);
    addText(root, "prioriteit", prioriteitText(Prioriteit));
    addText(root, "HTML_opmaak", HTMLOpmaak ? u"J Ja"_s : u"N Nee"_s);
    addText(root, "inhoud", EncodeBase64(Inhoud));
    addPerson(root.append_child("afzender"), afzender_);
    pugi::xml_node geadresseerden = root.append_child("geadresseerden");
    addGroup(geadresseerden, "aan", aan_);
    addGroup(geadresseerden, "cc", cc_);
    addGroup(geadresseerden, "bcc", bcc_);
    if (bijlagen_.count() > 0) {
        pugi::xml_node bijlagen = root.append_child("bijlagen");
        for (int i = 1; i <= bijlagen_.count(); ++i) {
            const CEmailBijlage& b = *bijlagen_.at(i);
            pugi::xml_node bijlage = bijlagen.append_child("bijlage");
            bijlage.append_attribute("id").set_value(i);
            addText(bijlage, "beschrijving", b.Beschrijving);
            addText(bijlage, "naam", b.Naam);
            addText(bijlage, "inhoud", EncodeBase64(b.Inhoud));
        }
    }
    return document;
}

QString CEmail::Make_XMLBericht_AsString() const { return xmlText(*Make_XMLBericht_AsDOMDocument()); }

} // namespace tarvelo
