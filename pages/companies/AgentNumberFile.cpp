#include "pages/companies/AgentNumberFile.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace tarvelo {

namespace {

using Take = std::function<void(const AgentNumberEntry&)>;

constexpr qint64 ChunkBytes = 64 * 1024;

// An imported number: null when empty, a finite double with a point or a comma, or nothing when it is neither.
std::optional<QVariant> importNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QVariant();
    bool ok = false;
    const double n = QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(n))
        return std::nullopt;
    return QVariant(n);
}

// A company kind: a number that fits the 32-bit column (a fraction is dropped, as always).
std::optional<QVariant> importKind(const QString& text)
{
    const std::optional<QVariant> n = importNumber(text);
    if (!n || n->isNull())
        return n;
    const double value = std::trunc(n->toDouble());
    if (value < double(INT_MIN) || value > double(INT_MAX))
        return std::nullopt;
    return QVariant(int(value));
}

// Earlier exports wrote the XML declaration twice; the second one goes.
QString withOneDeclaration(QString start)
{
    static const QLatin1String declaration("<?xml ");
    if (!start.startsWith(declaration))
        return start;
    const qsizetype end = start.indexOf(QLatin1String("?>"));
    if (end < 0)
        return start;
    qsizetype next = end + 2;
    while (next < start.size() && start.at(next).isSpace())
        ++next;
    if (QStringView(start).sliced(next).startsWith(declaration)) {
        const qsizetype secondEnd = start.indexOf(QLatin1String("?>"), next);
        if (secondEnd > 0)
            start.remove(next, secondEnd + 2 - next);
    }
    return start;
}

bool hasControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// One form of the file, fed its text in pieces.
class FormReader {
public:
    explicit FormReader(const Take* take) : take_(take) {}
    virtual ~FormReader() = default;
    // false when the text so far is damaged.
    virtual bool feed(const QString& text) = 0;
    // At the end of the file: false when it ends damaged.
    virtual bool finish() = 0;

    int line = 0; // plain text: the line being read
    QString date;
    qint64 entries = 0;

protected:
    void deliver(const AgentNumberEntry& entry)
    {
        ++entries;
        if (take_)
            (*take_)(entry);
    }

private:
    const Take* take_;
};

// The older plain text: lines separated by CR LF.
class TextForm final : public FormReader {
public:
    using FormReader::FormReader;

    bool feed(const QString& text) override
    {
        pending_.append(text);
        qsizetype start = 0;
        for (qsizetype end; (end = pending_.indexOf(QLatin1String("\r\n"), start)) >= 0; start = end + 2) {
            if (!takeLine(QStringView(pending_).mid(start, end - start)))
                return false;
        }
        pending_.remove(0, start);
        // (A line of the longest length may wait here with the CR of its end.)
        if (pending_.size() > AgentNumberFile::MaxRun + (pending_.endsWith(QLatin1Char('\r')) ? 1 : 0)) {
            ++line; // the over-long one
            return false;
        }
        return true;
    }

    bool finish() override { return takeLine(pending_); }

private:
    bool takeLine(QStringView text)
    {
        ++line;
        if (line == 1 && text.startsWith(QLatin1String("Date="))) {
            if (hasControlCharacter(text))
                return false;
            date = text.mid(5).trimmed().toString();
            return true;
        }
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1String("//")))
            return true;
        if (hasControlCharacter(text))
            return false;
        const QList<QStringView> fields = text.split(QLatin1Char(';'));
        if (fields.size() < 3 || fields[0].trimmed().isEmpty() || fields[1].trimmed().isEmpty())
            return false;
        const std::optional<QVariant> rente = importNumber(fields[2].toString());
        if (!rente)
            return false;
        AgentNumberEntry entry;
        entry.Agent_Id = fields[0].toString();
        entry.Cd_Mij = fields[1].toString();
        entry.Rente = *rente;
        deliver(entry);
        return true;
    }

    QString pending_;
};

// The XML document, read token by token as the text comes in.
class XmlForm final : public FormReader {
public:
    explicit XmlForm(const Take* take) : FormReader(take) { reader_.setNamespaceProcessing(false); }

    bool feed(const QString& text) override
    {
        reader_.addData(text);
        unread_ += text.size();
        for (;;) {
            const QXmlStreamReader::TokenType token = reader_.readNext();
            if (reader_.hasError())
                // Waiting for more text is fine, unless one run of markup or text grows past the bound.
                return reader_.error() == QXmlStreamReader::PrematureEndOfDocumentError &&
                       unread_ <= AgentNumberFile::MaxRun;
            unread_ = 0;
            if (!take(token))
                return false;
        }
    }

    // Only whitespace, comments or processing instructions may follow the root.
    bool finish() override { return rootClosed_; }

private:
    enum Field { AgentId, CdMij, Rente, Soort, Omschrijving, Standaard, None };

    static Field fieldOf(QStringView name)
    {
        static const char* const names[] = {"agentnummer",           "maatschappijcode", "renteopslagpercentage",
                                            "soortmaatschappijcode", "omschrijving",     "standaard"};
        for (int i = 0; i < None; ++i) {
            if (name == QLatin1String(names[i]))
                return Field(i);
        }
        return None;
    }

    bool take(QXmlStreamReader::TokenType token)
    {
        switch (token) {
        case QXmlStreamReader::DTD:
            return false; // an export has none; its entities are no one's business here
        case QXmlStreamReader::StartElement:
            return startElement();
        case QXmlStreamReader::Characters:
            if (depth_ == 3 && field_ != None) {
                text_ += reader_.text();
                return text_.size() <= AgentNumberFile::MaxRun;
            }
            return true;
        case QXmlStreamReader::EndElement:
            return endElement();
        default:
            return true;
        }
    }

    bool startElement()
    {
        ++depth_;
        const QStringView name = reader_.qualifiedName();
        if (depth_ == 1) {
            if (name != QLatin1String("quenmarixagentnummers"))
                return false; // a document, but not an export of agent numbers
            date = reader_.attributes().value(QLatin1String("aanmaakdatum")).toString();
        } else if (depth_ == 2 && name == QLatin1String("agentnummerdata")) {
            inEntry_ = true;
            entry_ = AgentNumberEntry();
            values_.fill(QVariant());
            const QXmlStreamAttributes attributes = reader_.attributes();
            if (attributes.hasAttribute(QLatin1String("guid")))
                entry_.GUID = attributes.value(QLatin1String("guid")).toString();
        } else if (depth_ == 3 && inEntry_) {
            field_ = fieldOf(name);
            // The first element of a name counts.
            if (field_ != None && !values_[field_].isNull())
                field_ = None;
            text_.clear();
        }
        return depth_ <= 8;
    }

    bool endElement()
    {
        if (depth_ == 3 && field_ != None) {
            // Text that is only whitespace is no text.
            values_[field_] = text_.trimmed().isEmpty() ? QString(QLatin1String("")) : text_;
            field_ = None;
        } else if (depth_ == 2 && inEntry_) {
            inEntry_ = false;
            if (!endEntry())
                return false;
        } else if (depth_ == 1) {
            rootClosed_ = true;
        }
        --depth_;
        return true;
    }

    bool endEntry()
    {
        const std::optional<QVariant> rente = importNumber(values_[Rente].toString());
        const std::optional<QVariant> soort = importKind(values_[Soort].toString());
        if (!rente || !soort)
            return false;
        entry_.Agent_Id = values_[AgentId];
        entry_.Cd_Mij = values_[CdMij];
        entry_.Rente = *rente;
        entry_.Cd_SoortMij = *soort;
        entry_.Om_Omschrijving = values_[Omschrijving];
        entry_.In_Default = values_[Standaard].toInt() != 0;
        deliver(entry_);
        return true;
    }

    QXmlStreamReader reader_;
    qsizetype unread_ = 0;
    int depth_ = 0;
    bool inEntry_ = false, rootClosed_ = false;
    Field field_ = None;
    QString text_;
    AgentNumberEntry entry_;
    std::array<QVariant, None> values_;
};

} // namespace

AgentNumberFile::AgentNumberFile(const QString& path) : path_(path) {}

AgentNumberFile::~AgentNumberFile() = default;

bool AgentNumberFile::open()
{
    file_.setFileName(path_);
    return QFileInfo(path_).isFile() && file_.open(QIODevice::ReadOnly);
}

// What the open handle's file looks like now; a write within the same clock
// tick may leave it alike, which the passes' content hashes then tell.
AgentNumberFile::Stamp AgentNumberFile::stamp() const
{
    struct stat info {};
    if (fstat(file_.handle(), &info) != 0)
        return {};
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {qint64(info.st_size), ns(info.st_mtim)};
}

AgentNumberFile::Status AgentNumberFile::check()
{
    checkedOk_ = false;
    checked_ = stamp();
    const QByteArray start = file_.peek(4);
    if (const std::optional<QStringConverter::Encoding> known = QStringConverter::encodingForData(start, u'<')) {
        encoding_ = QStringConverter::nameForEncoding(*known);
        guessed_ = false;
    }
    Pass first = pass(nullptr);
    if (first.outcome == Pass::Outcome::Undecodable && guessed_) {
        encoding_ = "windows-1252";
        first = pass(nullptr);
    }
    damagedLine_ = first.outcome == Pass::Outcome::Damaged ? first.line : 0;
    date_ = first.date;
    entries_ = first.entries;
    contentHash_ = first.contentHash;
    checkedOk_ = first.outcome == Pass::Outcome::Ok;
    return checkedOk_ ? Status::Ok : Status::Damaged;
}

AgentNumberFile::Status AgentNumberFile::read(const std::function<void(const AgentNumberEntry&)>& take)
{
    if (!checkedOk_ || stamp() != checked_)
        return Status::Changed;
    const Pass second = pass(&take);
    const bool same = second.outcome == Pass::Outcome::Ok && second.entries == entries_ && second.date == date_ &&
                      second.contentHash == contentHash_ && stamp() == checked_;
    return same ? Status::Ok : Status::Changed;
}

AgentNumberFile::Pass AgentNumberFile::pass(const Take* take)
{
    Pass result;
    if (!file_.seek(0)) {
        result.outcome = Pass::Outcome::Damaged;
        return result;
    }
    QStringDecoder decode(encoding_.constData());
    std::unique_ptr<FormReader> form;
    QString leading; // text before the form is known: whitespace only
    QString highHalf;
    const auto end = [&](Pass::Outcome outcome) {
        result.outcome = outcome;
        if (form) {
            result.line = form->line;
            result.date = form->date;
            result.entries = form->entries;
        }
        return result;
    };
    // The first character that is not whitespace decides the form: "<" is XML
    // (and only XML), anything else the plain text.
    const auto decide = [&](bool atEnd) -> bool {
        const auto first = std::find_if(leading.cbegin(), leading.cend(), [](QChar c) { return !c.isSpace(); });
        if (first == leading.cend() && !atEnd && leading.size() <= MaxRun)
            return true;
        const bool xml = first != leading.cend() && *first == QLatin1Char('<');
        if (xml)
            form = std::make_unique<XmlForm>(take);
        else
            form = std::make_unique<TextForm>(take);
        // XML may not start with whitespace; the plain text keeps its lines.
        const bool fed = form->feed(xml ? withOneDeclaration(leading.sliced(first - leading.cbegin())) : leading);
        leading.clear();
        return fed;
    };
    while (!file_.atEnd()) {
        const QByteArray bytes = file_.read(ChunkBytes);
        if (bytes.isEmpty())
            return end(Pass::Outcome::Damaged); // a read error
        result.contentHash = qHash(bytes, result.contentHash);
        QString text = decode(bytes);
        if (decode.hasError())
            return end(Pass::Outcome::Undecodable);
        // A character in two halves is kept whole for the next piece; half of one is damage.
        text.prepend(highHalf);
        highHalf.clear();
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            highHalf = text.back();
            text.chop(1);
        }
        if (!text.isValidUtf16())
            return end(Pass::Outcome::Damaged);
        if (!form) {
            leading += text;
            if (!decide(false))
                return end(Pass::Outcome::Damaged);
            continue;
        }
        if (!form->feed(text))
            return end(Pass::Outcome::Damaged);
    }
    if (!highHalf.isEmpty())
        return end(Pass::Outcome::Damaged);
    if (!form && !decide(true))
        return end(Pass::Outcome::Damaged);
    return end(form->finish() ? Pass::Outcome::Ok : Pass::Outcome::Damaged);
}

} // namespace tarvelo
