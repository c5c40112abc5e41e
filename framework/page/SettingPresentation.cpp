#include "framework/page/SettingPresentation.h"

#include "framework/forms/CheckBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/host/SettingsObject.h"
#include "framework/util/AccessKey.h"
#include "framework/util/NumberText.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

QString cleaned(const QString& caption)
{
    QString text = withoutAccessKey(caption).simplified();
    while (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

const QString* ownCaption(const Control& c)
{
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        return &box->caption();
    if (const auto* option = dynamic_cast<const OptionButton*>(&c))
        return &option->caption();
    return nullptr;
}

} // namespace

QString frameCaptionOf(const Control& control)
{
    for (const Control* c = control.parent(); c; c = c->parent()) {
        if (const auto* frame = dynamic_cast<const Frame*>(c)) {
            if (!frame->caption().isEmpty())
                return cleaned(frame->caption());
        }
    }
    return {};
}

QString fieldCaption(const Control& control)
{
    if (const QString* own = ownCaption(control); own && !own->isEmpty() && control.kind() == ControlKind::CheckBox)
        return cleaned(*own);
    const std::vector<Control*> all = control.form().controls();
    for (const Control* c : all) {
        if (const auto* label = dynamic_cast<const Label*>(c); label && label->buddy() == &control)
            return cleaned(label->caption());
    }
    return frameCaptionOf(control);
}

SettingPresentation declaredPresentation(const SettingBase& setting, const QString& object)
{
    SettingPresentation p;
    p.object = object;
    p.name = setting.name();
    p.type = setting.type();
    p.secret = setting.isSecret();
    p.amount = setting.hasFlag(SettingFlag::Amount);
    p.percent = setting.hasFlag(SettingFlag::Percent);
    const Shown& shown = setting.shown();
    p.fieldCaption = p.caption = shown.caption;
    p.page = shown.page;
    p.one = shown.one;
    p.many = shown.many;
    if (!p.many.isEmpty())
        p.kind = SettingPresentation::Kind::Records;
    else if (p.type == QMetaType::fromType<bool>())
        p.kind = SettingPresentation::Kind::YesNo;
    return p;
}

namespace {

QVariant typed(const SettingPresentation& p, const QString& text)
{
    switch (p.type.id()) {
    case QMetaType::Bool: return text.compare(u"true"_s, Qt::CaseInsensitive) == 0 || text == u"1"_s;
    case QMetaType::Short:
    case QMetaType::Int: return text.toLongLong();
    case QMetaType::Double: return text.toDouble();
    case QMetaType::QDate: return QDate::fromString(text, Qt::ISODate);
    default: return text;
    }
}

QJsonArray records(const QString& text) { return QJsonDocument::fromJson(text.toUtf8()).array(); }

QString countText(const SettingPresentation& p, qsizetype n) { return u"%1 %2"_s.arg(n).arg(n == 1 ? p.one : p.many); }

// What a person calls a record: its name or description.
QString recordName(const QJsonObject& o)
{
    for (const char* field : {"Naam", "Omschrijving", "Vestiging", "Map", "Directory", "Code"}) {
        const QString v = o.value(QLatin1String(field)).toVariant().toString();
        if (!v.isEmpty())
            return v;
    }
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it->isString() && !it->toString().isEmpty())
            return it->toString();
    }
    return u"(naamloos)"_s;
}

// What identifies a record from one version of the list to the next.
QString recordKey(const QJsonObject& o)
{
    for (const char* field : {"GUID", "Guid", "Id", "ID", "Code"}) {
        const QString v = o.value(QLatin1String(field)).toVariant().toString();
        if (!v.isEmpty())
            return v;
    }
    return recordName(o);
}

} // namespace

QString shownValue(const SettingPresentation& p, const QVariant& stored)
{
    if (p.secret)
        return u"(gewijzigd)"_s;
    if (p.kind == SettingPresentation::Kind::Records)
        return countText(p, records(stored.toString()).size());
    QVariant value = stored;
    if (p.toControl)
        value = p.toControl(value);
    if (p.inverted)
        value = !value.toBool();
    switch (p.kind) {
    case SettingPresentation::Kind::YesNo: return value.toBool() ? u"Ja"_s : u"Nee"_s;
    case SettingPresentation::Kind::Choice: {
        const qint64 key = value.toLongLong();
        if (p.choices.contains(key))
            return p.choices.value(key);
        return value.toString().isEmpty() || key == 0 ? u"(geen keuze)"_s : value.toString();
    }
    case SettingPresentation::Kind::Bits: {
        const qint64 bits = value.toLongLong();
        QStringList ticked;
        for (auto it = p.choices.begin(); it != p.choices.end(); ++it) {
            if ((bits >> it.key()) & 1)
                ticked << it.value();
        }
        return ticked.isEmpty() ? u"(niets aangevinkt)"_s : ticked.join(u", "_s);
    }
    default: break;
    }
    if (value.typeId() == QMetaType::QDate) {
        const QDate d = value.toDate();
        return d.isValid() ? d.toString(u"dd-MM-yyyy"_s) : u"(leeg)"_s;
    }
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? u"Ja"_s : u"Nee"_s;
    if (p.type == QMetaType::fromType<double>() || p.amount || p.percent) {
        bool number = false;
        const double d = value.toDouble(&number);
        if (number || value.typeId() == QMetaType::Double) {
            if (p.amount)
                return amountText(d);
            if (p.percent)
                return numberText(d) + u"%"_s;
            return numberText(d);
        }
    }
    const QString text = value.toString();
    return text.isEmpty() ? u"(leeg)"_s : text;
}

QString listedCaption(const SettingPresentation& p)
{
    return p.object == QLatin1String("GlobalSetup") ? p.caption + u" (kantoor)"_s : p.caption;
}

std::optional<QVariant> storedFromShown(const SettingPresentation& p, const QString& text)
{
    // A page's own conversion cannot be run backwards.
    if (p.secret || p.toControl)
        return std::nullopt;
    const QString typed = text.simplified();
    if (p.kind == SettingPresentation::Kind::YesNo || p.type == QMetaType::fromType<bool>()) {
        for (const bool yes : {true, false}) {
            if (typed.compare(yes ? u"Ja"_s : u"Nee"_s, Qt::CaseInsensitive) == 0)
                return QVariant(p.inverted ? !yes : yes);
        }
        return std::nullopt;
    }
    if (p.kind == SettingPresentation::Kind::Choice) {
        for (auto it = p.choices.begin(); it != p.choices.end(); ++it) {
            if (it.value().simplified().compare(typed, Qt::CaseInsensitive) == 0)
                return QVariant(it.key());
        }
        return std::nullopt;
    }
    if (p.type == QMetaType::fromType<QDate>()) {
        if (const QDate d = QDate::fromString(typed, u"d-M-yyyy"_s); d.isValid())
            return QVariant(d);
    }
    return std::nullopt;
}

QString shownValueText(const SettingPresentation& p, const std::optional<QString>& text)
{
    if (p.secret)
        return u"(gewijzigd)"_s;
    if (!text)
        return u"(leeg)"_s;
    if (p.kind == SettingPresentation::Kind::Records)
        return shownValue(p, *text);
    if (text->isEmpty() && p.type != QMetaType::fromType<QString>())
        return u"(leeg)"_s;
    return shownValue(p, typed(p, *text));
}

std::pair<QString, QString> shownChange(const SettingPresentation& p, const std::optional<QString>& before,
                                        const std::optional<QString>& after)
{
    if (p.kind != SettingPresentation::Kind::Records || p.secret)
        return {shownValueText(p, before), shownValueText(p, after)};
    const QJsonArray old = records(before.value_or(QString()));
    const QJsonArray now = records(after.value_or(QString()));
    QMap<QString, QJsonObject> oldByKey, nowByKey;
    for (const QJsonValue& v : old)
        oldByKey.insert(recordKey(v.toObject()), v.toObject());
    for (const QJsonValue& v : now)
        nowByKey.insert(recordKey(v.toObject()), v.toObject());
    QStringList added, changed, removed;
    for (auto it = nowByKey.begin(); it != nowByKey.end(); ++it) {
        if (!oldByKey.contains(it.key()))
            added << recordName(it.value());
        else if (oldByKey.value(it.key()) != it.value())
            changed << recordName(it.value());
    }
    for (auto it = oldByKey.begin(); it != oldByKey.end(); ++it) {
        if (!nowByKey.contains(it.key()))
            removed << recordName(it.value());
    }
    QStringList what;
    if (!added.isEmpty())
        what << u"toegevoegd: "_s + added.join(u", "_s);
    if (!changed.isEmpty())
        what << u"gewijzigd: "_s + changed.join(u", "_s);
    if (!removed.isEmpty())
        what << u"verwijderd: "_s + removed.join(u", "_s);
    QString shownAfter = countText(p, now.size());
    if (!what.isEmpty())
        shownAfter += u" ("_s + what.join(u"; "_s) + u")"_s;
    return {countText(p, old.size()), shownAfter};
}

} // namespace tarvelo

namespace tarvelo {

namespace {

// A record's fields as the dialog that edits them calls them, with how a value
// reads there; a key of its own that no screen shows is left out.
struct RecordField {
    const char* name;
    const char* caption;
    QMap<qint64, QString> texts = {};
    bool amount = false;
    bool hidden = false;
};

const std::vector<RecordField>& recordFields(const QString& list)
{
    static const QMap<qint64, QString> terms{{1, u"Maand"_s}, {3, u"Kwartaal"_s}, {6, u"Half jaar"_s}, {12, u"Jaar"_s}};
    static const QMap<QString, std::vector<RecordField>> fields{
        {u"Notarissen"_s,
         {{"Naam", "Notariskantoor"},
          {"Straat", "Straat"},
          {"Huisnummer", "Huisnummer"},
          {"Toevoeging", "Toevoeging"},
          {"Postcode", "Postcode"},
          {"Woonplaats", "Woonplaats"},
          {"Telefoon", "Telefoonnummer"},
          {"Geslacht", "Geslacht", {}},
          {"Voorletters", "Voorletters"},
          {"Voorvoegsel", "Voorvoegsel"},
          {"Achternaam", "Achternaam"}}},
        {u"Abonnementen"_s,
         {{"ID", "ID", {}, false, true},
          {"Actief", "Actief"},
          {"Soort", "Soort abonnement"},
          {"Omschrijving", "Omschrijving"},
          {"Termijnbedrag", "Termijnbedrag", {}, true},
          {"Betaaltermijn", "Betalingstermijn", terms},
          {"ControleAantal", "Controleperiode"},
          {"ControleEenheid", "Controleperiode per", {{1, u"Maand"_s}, {12, u"Jaar"_s}}},
          {"Contractduur", "Contractduur (maanden)"}}},
        {u"Inkoopcombinaties"_s,
         {{"Naam", "Naam serviceprovider"},
          {"HDNNummer", "HDN nummer"},
          {"TypeCode", "Soort", {}, false, true},
          {"Geselecteerd", "Gebruikt"}}},
        {u"Vestigingen"_s, {{"ID", "ID", {}, false, true}, {"Naam", "Vestiging"}, {"HDNNummer", "HDN nummer"}}},
        {u"HDNIndirs"_s, {{"Berichtsoort", "Berichtsoort"}, {"Map", "Locatie"}}},
    };
    static const std::vector<RecordField> none;
    const auto it = fields.find(list);
    return it == fields.end() ? none : *it;
}

QString fieldValueText(const RecordField* field, const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool() ? u"Ja"_s : u"Nee"_s;
    if (value.isDouble()) {
        if (field && field->texts.contains(qint64(value.toDouble())))
            return field->texts.value(qint64(value.toDouble()));
        return field && field->amount ? amountText(value.toDouble()) : numberText(value.toDouble());
    }
    const QString text = value.toVariant().toString();
    return text.isEmpty() ? u"(leeg)"_s : text;
}

} // namespace

QString recordCaption(const SettingPresentation& p, const QJsonObject& record)
{
    QString one = p.one.isEmpty() ? p.caption : p.one;
    if (!one.isEmpty())
        one[0] = one[0].toUpper();
    return u"%1 '%2'"_s.arg(one, recordName(record));
}

QString recordFieldsText(const SettingPresentation& p, const QJsonObject& record, const QStringList& only)
{
    const std::vector<RecordField>& known = recordFields(p.name);
    QStringList parts;
    QStringList names;
    for (const RecordField& field : known)
        names << QLatin1String(field.name);
    for (auto it = record.begin(); it != record.end(); ++it)
        if (!names.contains(it.key()))
            names << it.key();
    for (const QString& name : names) {
        if (!record.contains(name) || (!only.isEmpty() && !only.contains(name)))
            continue;
        const auto field = std::find_if(known.begin(), known.end(),
                                        [&](const RecordField& f) { return name == QLatin1String(f.name); });
        const RecordField* f = field == known.end() ? nullptr : &*field;
        if (f && f->hidden)
            continue;
        parts << u"%1: %2"_s.arg(f ? QString::fromUtf8(f->caption) : name, fieldValueText(f, record.value(name)));
    }
    return parts.join(u"; "_s);
}

} // namespace tarvelo
