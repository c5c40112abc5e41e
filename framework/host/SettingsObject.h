#pragma once

#include "TarveloExport.h"

#include "framework/forms/Event.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

class SettingsObject;

// The settings of one subject (updates, proxy, ...), declared together. Every
// block registers its settings into the one settings object that holds it, so
// by-name access, persistence and the change history see all of them, while a
// page includes only the blocks it uses.
class TARVELO_EXPORT SettingsBlock {
public:
    explicit SettingsBlock(SettingsObject& owner) : owner_(owner) {}
    SettingsBlock(const SettingsBlock&) = delete;
    SettingsBlock& operator=(const SettingsBlock&) = delete;
    virtual ~SettingsBlock() = default;

    SettingsObject& owner() const { return owner_; }

private:
    SettingsObject& owner_;
};

enum class SettingFlag {
    None = 0,
    // Passwords and tokens: kept as typed, but a change history records only
    // that they changed.
    Secret = 1,
    // A number the screen shows as an amount in euros ("#,##0.00").
    Amount = 2,
    // A number of percent points, shown with "%".
    Percent = 4,
};

// How a setting reads for a person where no control of a page shows it (a
// record list, a value a page keeps for itself): its Dutch caption and the
// page (class name) that keeps it. A record list names its records, one and
// many ("notariskantoor", "notariskantoren").
struct TARVELO_EXPORT Shown {
    Shown() = default;
    Shown(QString caption_, QString page_ = {}, QString one_ = {}, QString many_ = {})
        : caption(std::move(caption_)),
          page(std::move(page_)),
          one(std::move(one_)),
          many(std::move(many_))
    {
    }
    QString caption;
    QString page;
    QString one;
    QString many;
};

// One declared setting: its exact name, its type and its default. The typed
// member serves the pages; the by-name access serves persistence, the change
// history and the settings window's search.
class TARVELO_EXPORT SettingBase {
public:
    SettingBase(SettingsObject* owner, const char* name, SettingFlag flag, Shown shown = {});
    SettingBase(const SettingBase&) = delete;
    SettingBase& operator=(const SettingBase&) = delete;
    virtual ~SettingBase() = default;

    const QString& name() const { return name_; }
    bool isSecret() const { return hasFlag(SettingFlag::Secret); }
    bool hasFlag(SettingFlag flag) const { return (int(flag_) & int(flag)) != 0; }
    // What the block declares of how the setting reads (empty where a page's
    // control gives it).
    const Shown& shown() const { return shown_; }
    SettingsObject& owner() const { return *owner_; }
    // False while the office administrator has locked the setting: every write
    // through the setting is then refused and the stored value stays.
    bool writable() const;
    virtual QVariant toVariant() const = 0;
    virtual QVariant defaultVariant() const = 0;
    bool isDefault() const { return toVariant() == defaultVariant(); }
    // Converts with the classic rules: a non-number is error 13, a number
    // outside the declared width error 6.
    virtual void fromVariant(const QVariant& value) = 0;
    virtual void reset() = 0;
    virtual QMetaType type() const = 0;

protected:
    // Called on a write the lock refused; the owner counts it.
    void refused() const;

private:
    SettingsObject* owner_;
    QString name_;
    SettingFlag flag_;
    Shown shown_;
};

template <class T>
class TARVELO_EXPORT Setting : public SettingBase {
public:
    Setting(SettingsBlock* block, const char* name, T defaultValue = T(), SettingFlag flag = SettingFlag::None)
        : SettingBase(&block->owner(), name, flag),
          default_(defaultValue),
          value_(defaultValue)
    {
    }
    Setting(SettingsBlock* block, const char* name, T defaultValue, Shown shown, SettingFlag flag = SettingFlag::None)
        : SettingBase(&block->owner(), name, flag, std::move(shown)),
          default_(defaultValue),
          value_(defaultValue)
    {
    }

    operator T() const { return value_; }
    T get() const { return value_; }
    Setting& operator=(const T& value)
    {
        assign(value);
        return *this;
    }
    const T& defaultValue() const { return default_; }

    QVariant toVariant() const override { return QVariant::fromValue(value_); }
    QVariant defaultVariant() const override { return QVariant::fromValue(default_); }
    void fromVariant(const QVariant& value) override;
    void reset() override { assign(default_); }
    QMetaType type() const override { return QMetaType::fromType<T>(); }

private:
    void assign(const T& value)
    {
        if (writable())
            value_ = value;
        else if (!(value == value_))
            refused();
    }

    T default_;
    T value_;
};

// An unsigned 8-bit number (the classic Byte, 0 to 255). By name it is an int,
// so that it reads, prints and is stored as a number, not as a character.
template <>
inline QVariant Setting<quint8>::toVariant() const
{
    return int(value_);
}
template <>
inline QVariant Setting<quint8>::defaultVariant() const
{
    return int(default_);
}
// Values by name are converted as the classic conversions do (SettingsObject.cpp).
template <>
void Setting<quint8>::fromVariant(const QVariant& v);
template <>
void Setting<qint16>::fromVariant(const QVariant& v);
template <>
void Setting<qint32>::fromVariant(const QVariant& v);
template <>
void Setting<double>::fromVariant(const QVariant& v);
template <>
void Setting<bool>::fromVariant(const QVariant& v);
template <>
void Setting<QDate>::fromVariant(const QVariant& v);
template <>
void Setting<QString>::fromVariant(const QVariant& v);

// The base of Setup and GlobalSetup: the list of declared settings and the
// access to them by name (names compare without regard to case).
class TARVELO_EXPORT SettingsObject {
public:
    SettingsObject() = default;
    SettingsObject(const SettingsObject&) = delete;
    SettingsObject& operator=(const SettingsObject&) = delete;
    virtual ~SettingsObject() = default;

    bool contains(const QString& name) const;
    // An unknown name is error 438, like asking an object for a property it lacks.
    QVariant value(const QString& name) const;
    // A locked setting is refused with error LockedError and keeps its value.
    void setValue(const QString& name, const QVariant& value);
    const SettingBase& setting(const QString& name) const;
    QStringList names() const;

    // Every setting by its declared name; fromMap ignores unknown names (a newer
    // version's settings survive in the stored record, not here) and reports
    // values that do not convert in the returned list.
    // Reading a stored record is no write: it passes the administrator's locks.
    // The settings whose value it changed are announced (Changed) once all
    // values are in.
    QVariantMap toMap() const;
    QStringList fromMap(const QVariantMap& map);
    void resetAll();

    // Settings took values from outside the program's own writes (a stored
    // record read again, another workstation's change taken in): raised once
    // for every block with changed settings, with their declared names, in
    // the order the blocks and their settings are declared. A page's bound
    // controls follow it; writes of page code and by name are not announced.
    Event<const SettingsBlock&, const QStringList&> Changed;

    // The office administrator's locks: a locked setting refuses every write,
    // typed (from page code) or by name, until it is unlocked. Unknown names
    // are ignored, so a lock list from a newer version does no harm.
    void setLocked(const QString& name, bool locked);
    void setLockedNames(const QStringList& names);
    bool isLocked(const QString& name) const;
    QStringList lockedNames() const;
    // How many writes the locks refused since the object was made.
    int refusedWrites() const { return refusedWrites_; }
    static constexpr int LockedError = 70; // permission denied
    static QString lockedMessage() { return u"Deze instelling is door de beheerder vastgezet."_s; }

    // The block of one subject; every block is added when the object is made.
    template <class Block>
    Block& get() const
    {
        return static_cast<Block&>(*blocks_.at(std::type_index(typeid(Block))));
    }

protected:
    template <class Block>
    void addBlock()
    {
        const std::size_t first = settings_.size();
        adoptBlock(std::type_index(typeid(Block)), std::make_unique<Block>(*this), first);
    }

private:
    friend class SettingBase;
    void declare(SettingBase* setting);
    SettingBase* find(const QString& name) const;
    // Raises Changed for the changed settings, block by block.
    void announce(const QSet<const SettingBase*>& changed);
    // Keeps a block whose settings were declared from first on.
    void adoptBlock(std::type_index type, std::unique_ptr<SettingsBlock> block, std::size_t first);

    std::vector<SettingBase*> settings_;
    // The block of each setting, by its place in settings_.
    std::vector<const SettingsBlock*> blockOf_;
    QHash<QString, SettingBase*> byName_;
    QSet<const SettingBase*> locked_;
    bool restoring_ = false;
    int refusedWrites_ = 0;
    std::unordered_map<std::type_index, std::unique_ptr<SettingsBlock>> blocks_;
};

} // namespace tarvelo
