#pragma once

#include "TarveloExport.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/SettingsObject.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <vector>

namespace tarvelo {

using namespace Qt::StringLiterals;

// A list of sub-records of a settings object (the office's notaries, the
// service providers): the pages reach the records through 1-based accessors
// that give nothing past the last, and add and remove them; persistence, the
// change history and the search see the whole list as one setting, a JSON
// text. Record gives toJson() and a static fromJson(QJsonObject).
template <class Record>
class TARVELO_EXPORT RecordList final : public SettingBase {
public:
    RecordList(SettingsBlock* block, const char* name, Shown shown = {})
        : SettingBase(&block->owner(), name, SettingFlag::None, std::move(shown))
    {
    }

    int count() const { return int(records_.size()); }
    // The record at index (from 1), or null outside the list.
    Record* at(int index) const
    {
        if (index < 1 || index > count())
            return nullptr;
        return records_[std::size_t(index - 1)].get();
    }
    // Appends an empty record and returns it; earlier records keep their place.
    Record& add()
    {
        refuseWhenLocked();
        records_.push_back(std::make_unique<Record>());
        return *records_.back();
    }
    // Removes the record at index; the ones after it move up one place. An
    // index outside the list is error 9 and removes nothing.
    void remove(int index)
    {
        if (index < 1 || index > count())
            throw RuntimeError::subscriptOutOfRange();
        refuseWhenLocked();
        records_.erase(records_.begin() + (index - 1));
    }
    void clear()
    {
        refuseWhenLocked();
        records_.clear();
    }

    QVariant toVariant() const override
    {
        QJsonArray array;
        for (const auto& record : records_)
            array.append(record->toJson());
        return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
    }
    // Reads the whole list or nothing: a text that is no list of records is
    // error 13 and leaves the list as it was.
    void fromVariant(const QVariant& value) override
    {
        const QString text = value.toString().trimmed();
        std::vector<std::unique_ptr<Record>> read;
        if (!text.isEmpty()) {
            QJsonParseError error{};
            const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
            if (error.error != QJsonParseError::NoError || !doc.isArray())
                throw RuntimeError::typeMismatch();
            for (const QJsonValue& element : doc.array()) {
                if (!element.isObject())
                    throw RuntimeError::typeMismatch();
                read.push_back(std::make_unique<Record>(Record::fromJson(element.toObject())));
            }
        }
        if (!writable()) {
            refused();
            return;
        }
        records_ = std::move(read);
    }
    QVariant defaultVariant() const override { return u"[]"_s; }
    void reset() override
    {
        if (writable())
            records_.clear();
        else
            refused();
    }
    QMetaType type() const override { return QMetaType::fromType<QString>(); }

private:
    // A list the administrator locked takes no records and loses none; the
    // page's procedure reports why.
    void refuseWhenLocked() const
    {
        if (writable())
            return;
        refused();
        throw RuntimeError(SettingsObject::LockedError, SettingsObject::lockedMessage());
    }

    std::vector<std::unique_ptr<Record>> records_;
};

} // namespace tarvelo
