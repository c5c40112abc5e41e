#pragma once

#include "framework/mail/CEmailBijlage.h"
#include "framework/mail/CEmailGeadresseerde.h"

#include <QString>
#include <memory>
#include <pugixml.hpp>
#include <utility>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

// A mail message as the mail-sender service takes it: an XML document with
// the subject, the body and the attachments in Base64 of their ANSI bytes.
class CEmail {
public:
    // Each entry keeps the key it was added under ("Aan0", "CC1", "Bijlage0").
    // A key is the list's name and the count of entries before the addition,
    // moved on past any key still in use, so that no two entries share one.
    template <class T>
    class KeyedList {
    public:
        int count() const { return int(entries_.size()); }
        // The entry at position (from 1) or with that key; null when none.
        const T* at(int position) const
        {
            return position >= 1 && position <= count() ? &entries_[std::size_t(position - 1)].second : nullptr;
        }
        const T* at(const QString& key) const;
        QString keyAt(int position) const { return entries_[std::size_t(position - 1)].first; }
        void add(const QString& prefix, T entry);
        // Removes the entry at position (from 1); raises error 9 when there is none.
        void remove(int position);
        void remove(const QString& key);

    private:
        std::vector<std::pair<QString, T>> entries_;
    };

    CEmail() = default;

    QString Onderwerp;
    QString Inhoud;
    bool HTMLOpmaak = false;
    // 1 low, 2 middle, 3 high.
    qint32 Prioriteit = 2;

    const CEmailGeadresseerde& Afzender() const { return afzender_; }
    void setAfzender(const CEmailGeadresseerde& person) { afzender_ = person; }
    // Kept with the message, not written into its document.
    const CEmailGeadresseerde& Antwoordadres() const { return antwoordadres_; }
    void setAntwoordadres(const CEmailGeadresseerde& person) { antwoordadres_ = person; }

    void AddAan(const CEmailGeadresseerde& person) { aan_.add(u"Aan"_s, person); }
    void AddCC(const CEmailGeadresseerde& person) { cc_.add(u"CC"_s, person); }
    void AddBCC(const CEmailGeadresseerde& person) { bcc_.add(u"BCC"_s, person); }
    template <class Index>
    void RemoveAan(const Index& index)
    {
        aan_.remove(index);
    }
    template <class Index>
    void RemoveCC(const Index& index)
    {
        cc_.remove(index);
    }
    template <class Index>
    void RemoveBCC(const Index& index)
    {
        bcc_.remove(index);
    }
    int CountAan() const { return aan_.count(); }
    int CountCC() const { return cc_.count(); }
    int CountBCC() const { return bcc_.count(); }
    const KeyedList<CEmailGeadresseerde>& Aan() const { return aan_; }
    const KeyedList<CEmailGeadresseerde>& CC() const { return cc_; }
    const KeyedList<CEmailGeadresseerde>& BCC() const { return bcc_; }

    // Reads the whole file, one character per byte; raises when it cannot be read.
    void AddBijlageFromFile(const QString& file, const QString& naam, const QString& beschrijving);
    // With isAnsi the content is ANSI bytes widened to text first; else it is kept as given.
    void AddBijlage(const QString& inhoud, const QString& naam, const QString& beschrijving, bool isAnsi);
    void AddBijlage(const QByteArray& ansiBytes, const QString& naam, const QString& beschrijving);
    template <class Index>
    void RemoveBijlage(const Index& index)
    {
        bijlagen_.remove(index);
    }
    int CountBijlagen() const { return bijlagen_.count(); }
    const KeyedList<CEmailBijlage>& Bijlagen() const { return bijlagen_; }

    // The message as a new document; each call builds a new one.
    std::unique_ptr<pugi::xml_document> Make_XMLBericht_AsDOMDocument() const;
    QString Make_XMLBericht_AsString() const;

private:
    CEmailGeadresseerde afzender_;
    CEmailGeadresseerde antwoordadres_;
    KeyedList<CEmailGeadresseerde> aan_, cc_, bcc_;
    KeyedList<CEmailBijlage> bijlagen_;
};

} // namespace tarvelo
