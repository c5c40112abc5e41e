#include "host/office/OpeningPageReads.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {

// Enough for any page; a file grown beyond it is not this program's.
constexpr qsizetype MostReads = 32;
constexpr qsizetype MostText = 64 * 1024;

bool plainType(int type)
{
    switch (type) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool: return true;
    default: return false;
    }
}

bool isRead(const QString& sql)
{
    return QStringView(sql).trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive);
}

// Each value with its type, so that it is bound as it was (an answer read
// ahead serves a statement with the same values of the same types).
QString written(const OfficeDatabase::Reads& reads)
{
    QJsonArray list;
    for (const auto& [sql, values] : reads) {
        QJsonArray bound;
        for (const QVariant& value : values) {
            if (!plainType(value.typeId()))
                return QString();
            bound.append(QJsonArray{value.typeId(), value.isNull() ? QString() : value.toString()});
        }
        list.append(QJsonObject{{u"opdracht"_s, sql}, {u"waarden"_s, bound}});
    }
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

} // namespace

OpeningPageReads::OpeningPageReads(const OfficeDatabase& office, QString file) : office_(office), file_(std::move(file))
{
}

OpeningPageReads::~OpeningPageReads() { office_.recordReads(nullptr); }

namespace {
QByteArray readKept(const QString& file)
{
    QFile kept(file);
    if (kept.size() > MostText || !kept.open(QIODevice::ReadOnly))
        return {};
    return kept.readAll();
}
} // namespace

QString OpeningPageReads::fileBeside(const QString& userHiveFile, const QDir& dataFolder)
{
    const QString name = u"leesvooruit.json"_s;
    const QString own = QFileInfo(userHiveFile).absoluteDir().absoluteFilePath(name);
    const QString old = dataFolder.absoluteFilePath(name);
    if (QDir::cleanPath(own) != QDir::cleanPath(old))
        QFile::remove(old);
    return own;
}

OfficeDatabase::Reads OpeningPageReads::kept(const QString& file)
{
    const QByteArray text = readKept(file);
    if (text.isEmpty())
        return {};
    OfficeDatabase::Reads reads;
    for (const QJsonValue& entry : QJsonDocument::fromJson(text).array()) {
        const QString sql = entry[u"opdracht"_s].toString();
        if (!isRead(sql) || reads.size() == MostReads)
            return {};
        QVariantList values;
        for (const QJsonValue& bound : entry[u"waarden"_s].toArray()) {
            const int type = bound[0].toInt(-1);
            if (!plainType(type))
                return {};
            QVariant value;
            if (type != QMetaType::UnknownType) {
                value = bound[1].toString();
                if (!value.convert(QMetaType(type)))
                    return {};
            }
            values << value;
        }
        reads.append({sql, values});
    }
    return reads;
}

void OpeningPageReads::pageShown(const QString& className)
{
    const QString page = className.toLower();
    if (page != recording_)
        stopRecording();
    if (page.isEmpty()) {
        if (firstFills_.contains(shown_))
            keep(firstFills_.value(shown_));
        shown_.clear();
        return;
    }
    shown_ = page;
    if (firstFills_.contains(page))
        return;
    // Until the event loop turns: the page's fill is one action.
    recording_ = page;
    office_.recordReads(&firstFills_[page]);
    QTimer::singleShot(0, &context_, [this] { stopRecording(); });
}

void OpeningPageReads::stopRecording()
{
    if (recording_.isEmpty())
        return;
    office_.recordReads(nullptr);
    OfficeDatabase::Reads& reads = firstFills_[recording_];
    if (reads.size() > MostReads)
        reads.clear();
    recording_.clear();
}

void OpeningPageReads::keep(const OfficeDatabase::Reads& reads) const
{
    const QByteArray text = written(reads).toUtf8();
    // Nothing is written when the next start would read the same.
    if (text.size() > MostText || readKept(file_) == text)
        return;
    // A convenience only: a folder that refuses the file costs the next start a round trip.
    QSaveFile kept(file_);
    if (kept.open(QIODevice::WriteOnly) && kept.write(text) == text.size())
        kept.commit();
}

} // namespace tarvelo
