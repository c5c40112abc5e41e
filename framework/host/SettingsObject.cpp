#include "framework/host/SettingsObject.h"

#include "framework/errors/Conversions.h"
#include "framework/errors/RuntimeError.h"

#include <QScopeGuard>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tarvelo {

SettingBase::SettingBase(SettingsObject* owner, const char* name, SettingFlag flag, Shown shown)
    : owner_(owner),
      name_(QString::fromLatin1(name)),
      flag_(flag),
      shown_(std::move(shown))
{
    owner->declare(this);
}

bool SettingBase::writable() const { return owner_->restoring_ || !owner_->locked_.contains(this); }

void SettingBase::refused() const { ++owner_->refusedWrites_; }

namespace detail {

namespace {
bool isText(const QVariant& v) { return v.typeId() == QMetaType::QString; }

double number(const QVariant& v)
{
    if (isText(v))
        return CDbl(v.toString());
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1 : 0; // the classic True is -1
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return d;
}
} // namespace

quint8 toByte(const QVariant& v)
{
    const qint16 n = CInt(number(v));
    if (n < 0 || n > 255)
        throw RuntimeError::overflow();
    return quint8(n);
}

qint16 toInt16(const QVariant& v) { return CInt(number(v)); }
qint32 toInt32(const QVariant& v) { return CLng(number(v)); }
double toDouble(const QVariant& v) { return number(v); }

bool toBool(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isText(v)) {
        const QString t = v.toString().trimmed();
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String("waar"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String("onwaar"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return number(v) != 0;
}

QDate toDate(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    if (isText(v)) {
        if (v.toString().isEmpty())
            return {};
        const QDate iso = QDate::fromString(v.toString(), Qt::ISODate);
        return iso.isValid() ? iso : CDate(v.toString());
    }
    if (v.isNull())
        return {};
    throw RuntimeError::typeMismatch();
}

QString toText(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? u"True"_s : u"False"_s;
    return v.toString();
}

} // namespace detail

template <>
void Setting<quint8>::fromVariant(const QVariant& v)
{
    assign(detail::toByte(v));
}
template <>
void Setting<qint16>::fromVariant(const QVariant& v)
{
    assign(detail::toInt16(v));
}
template <>
void Setting<qint32>::fromVariant(const QVariant& v)
{
    assign(detail::toInt32(v));
}
template <>
void Setting<double>::fromVariant(const QVariant& v)
{
    assign(detail::toDouble(v));
}
template <>
void Setting<bool>::fromVariant(const QVariant& v)
{
    assign(detail::toBool(v));
}
template <>
void Setting<QDate>::fromVariant(const QVariant& v)
{
    assign(detail::toDate(v));
}
template <>
void Setting<QString>::fromVariant(const QVariant& v)
{
    assign(detail::toText(v));
}

void SettingsObject::declare(SettingBase* setting)
{
    // One name, one setting: storage and search find settings by name.
    if (byName_.contains(setting->name().toLower()))
        throw std::logic_error("setting declared twice: " + setting->name().toStdString());
    settings_.push_back(setting);
    byName_.insert(setting->name().toLower(), setting);
}

SettingBase* SettingsObject::find(const QString& name) const { return byName_.value(name.toLower(), nullptr); }

void SettingsObject::adoptBlock(std::type_index type, std::unique_ptr<SettingsBlock> block, std::size_t first)
{
    blockOf_.resize(settings_.size(), nullptr);
    for (std::size_t i = first; i < settings_.size(); ++i)
        blockOf_[i] = block.get();
    blocks_.emplace(type, std::move(block));
}

bool SettingsObject::contains(const QString& name) const { return find(name) != nullptr; }

const SettingBase& SettingsObject::setting(const QString& name) const
{
    if (SettingBase* s = find(name))
        return *s;
    throw RuntimeError(438, u"Object ondersteunt deze eigenschap of methode niet: %1"_s.arg(name));
}

QVariant SettingsObject::value(const QString& name) const { return setting(name).toVariant(); }

void SettingsObject::setValue(const QString& name, const QVariant& value)
{
    SettingBase& s = const_cast<SettingBase&>(setting(name));
    if (!s.writable()) {
        ++refusedWrites_;
        throw RuntimeError(LockedError, lockedMessage());
    }
    s.fromVariant(value);
}

void SettingsObject::setLocked(const QString& name, bool locked)
{
    if (SettingBase* s = find(name)) {
        if (locked)
            locked_.insert(s);
        else
            locked_.remove(s);
    }
}

void SettingsObject::setLockedNames(const QStringList& names)
{
    locked_.clear();
    for (const QString& name : names)
        setLocked(name, true);
}

bool SettingsObject::isLocked(const QString& name) const
{
    const SettingBase* s = find(name);
    return s && locked_.contains(s);
}

QStringList SettingsObject::lockedNames() const
{
    QStringList names;
    for (const SettingBase* s : settings_) {
        if (locked_.contains(s))
            names << s->name();
    }
    return names;
}

QStringList SettingsObject::names() const
{
    QStringList all;
    all.reserve(qsizetype(settings_.size()));
    for (const SettingBase* s : settings_)
        all << s->name();
    return all;
}

QVariantMap SettingsObject::toMap() const
{
    QVariantMap map;
    for (const SettingBase* s : settings_)
        map.insert(s->name(), s->toVariant());
    return map;
}

QStringList SettingsObject::fromMap(const QVariantMap& map)
{
    QStringList rejected;
    QSet<const SettingBase*> changed;
    {
        const bool wasRestoring = restoring_;
        restoring_ = true;
        const auto done = qScopeGuard([&] { restoring_ = wasRestoring; });
        for (auto it = map.begin(); it != map.end(); ++it) {
            SettingBase* s = find(it.key());
            if (!s)
                continue;
            const QVariant before = s->toVariant();
            try {
                s->fromVariant(it.value());
            } catch (const RuntimeError&) {
                rejected << it.key();
            }
            if (s->toVariant() != before)
                changed.insert(s);
        }
    }
    // Told once everything is in, and no longer past the locks: what a
    // listener writes is a write of its own.
    if (!changed.isEmpty())
        announce(changed);
    return rejected;
}

void SettingsObject::announce(const QSet<const SettingBase*>& changed)
{
    const SettingsBlock* block = nullptr;
    QStringList names;
    const auto tell = [&] {
        if (block && !names.isEmpty())
            Changed(*block, names);
        names.clear();
    };
    for (std::size_t i = 0; i < settings_.size(); ++i) {
        if (!changed.contains(settings_[i]))
            continue;
        const SettingsBlock* of = i < blockOf_.size() ? blockOf_[i] : nullptr;
        if (of != block) {
            tell();
            block = of;
        }
        names << settings_[i]->name();
    }
    tell();
}

void SettingsObject::resetAll()
{
    for (SettingBase* s : settings_)
        s->reset();
}

} // namespace tarvelo
